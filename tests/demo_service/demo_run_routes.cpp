// Creating runs, handing over their answers, watching them, reading, exporting and
// deleting them.
#include "demo_service/demo_core.h"
#include "demo_service/demo_documents.h"
#include "demo_service/demo_writing.h"

#include <cmath>

namespace vesk::demo {

namespace {

constexpr std::chrono::milliseconds acceptingAnswers{250};

Reply unknownRun() { return failure(404, "This run is not in your library.", "run_not_found"); }

bool isWebAddress(const std::string& text) { return text.starts_with("https://") || text.starts_with("http://"); }

bool isBlank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

// The sources of a new run from its body; the sentence of the first problem, or nothing.
std::optional<std::string> readSources(DemoRun& run, const nlohmann::json& body) {
  const std::size_t maxURLs = run.mode == "full" ? 5 : 3;
  const std::size_t maxFiles = run.mode == "full" ? 7 : 5;
  const auto* urls = member(body, "urls", nlohmann::json::value_t::array);
  const auto* files = member(body, "attachments", nlohmann::json::value_t::array);
  if (!urls || !files || !textMember(body, "input")) return "Send the run’s urls, attachments and input.";
  if (urls->size() > maxURLs) return "This audit covers up to " + std::to_string(maxURLs) + " URLs.";
  for (const auto& url : *urls) {
    if (!url.is_string() || !isWebAddress(url.get<std::string>()))
      return "Use a complete http or https URL, without embedded credentials.";
    run.urls.push_back(url.get<std::string>());
  }
  if (files->size() > maxFiles) return "This audit covers up to " + std::to_string(maxFiles) + " files.";
  for (const auto& file : *files) {
    auto attachment = attachmentOf(file);
    if (!attachment) return "An attached file cannot be read.";
    run.attachments.push_back(std::move(*attachment));
  }
  run.input = *textMember(body, "input");
  return std::nullopt;
}

// Whether the account may start the run; the refusal as a reply when not.
std::optional<Reply> refusal(const DemoState& state, const DemoRun& run) {
  if (run.mode == "full" && state.account.auditBalance < 1)
    return failure(402, "No full audits are left on this account.", "no_balance");
  if (run.mode == "quick" && state.account.quickRemainingToday < 1)
    return failure(429, "No quick reads are left today.", "quick_limit");
  return std::nullopt;
}

Reply createRun(DemoCore& c, const DemoCall& call) {
  const auto projectId = textMember(call.body, "projectId");
  const DemoProject* project = projectId ? c.state.project(*projectId) : nullptr;
  if (!project) return failure(404, "This project is not in your library.", "project_not_found");
  DemoRun run;
  run.id = freshId("run_");
  run.projectId = project->id;
  run.mode = textMember(call.body, "auditMode").value_or("");
  if (run.mode != "quick" && run.mode != "full")
    return failure(422, "Choose Quick read or Full audit.", "invalid_mode");
  run.agent = textMember(call.body, "agent").value_or("vesk");
  if (const auto problem = readSources(run, call.body)) return failure(422, *problem, "invalid_sources");
  const bool projectContext = project->contextUrl || project->anchor;
  if (run.urls.empty() && run.attachments.empty() && isBlank(run.input) && !projectContext)
    return failure(422, "Add a URL or screenshot to continue.", "no_sources");
  if (const auto baseline = textMember(call.body, "baselineRunId")) {
    const DemoRun* earlier = c.state.run(*baseline);
    if (!earlier || earlier->projectId != project->id || earlier->mode != "full" || earlier->status != "complete")
      return failure(422, "Compare with a finished full audit of this project.", "invalid_baseline");
    run.baselineRunId = *baseline;
  }
  if (auto refused = refusal(c.state, run)) return *refused;
  run.status = "discovery";
  run.createdAt = isoTime(std::chrono::system_clock::now());
  run.runNumber = c.state.nextRunNumber(project->id);
  run.scriptedFailure = run.mode == "full" && project->failsFullAudits;
  c.say("created " + run.id + " (" + (run.mode == "full" ? "full audit" : "quick read") + ") in “" + project->name +
        "”, waiting for answers");
  c.state.runs.push_back(std::move(run));
  return Reply::json(c.runDetail(c.state.runs.back()).dump());
}

Reply continueRun(DemoCore& c, const DemoCall& call) {
  DemoRun* run = c.state.run(call.params[0]);
  if (!run) return unknownRun();
  if (run->status != "discovery") return failure(409, "This run has already started.", "already_started");
  std::string problem;
  auto answers =
      answersFromContinue(call.body.is_object() ? call.body.value("answers", nlohmann::json()) : nullptr, problem);
  if (!answers) return failure(422, problem, "invalid_answers");
  if (auto refused = refusal(c.state, *run)) return *refused;
  if (run->mode == "full") --c.state.account.auditBalance;
  if (run->mode == "quick") --c.state.account.quickRemainingToday;
  run->answers = std::move(*answers);
  run->status = "running";
  run->startedAt = Clock::now();
  run->auditStartedAt = isoTime(std::chrono::system_clock::now());
  const auto seconds = std::chrono::duration<double>(c.timeline.duration(run->mode)).count();
  c.say(run->id + " running; " + (run->scriptedFailure ? "fails as scripted" : "complete") + " in about " +
        std::to_string(std::lround(seconds * (run->scriptedFailure ? DemoTimeline::failurePoint : 1.0))) + " s");
  Reply reply = Reply::json(c.runDetail(*run).dump());
  // A real service takes a moment to accept answers; a reply at once would race the
  // watcher's first read, which the client sends while this request is on its way.
  reply.delay = acceptingAnswers;
  return reply;
}

}  // namespace

void addRunRoutes(DemoCore& core) {
  DemoCore* c = &core;
  core.router.add("POST", "runs", [c](const DemoCall& call) { return createRun(*c, call); });
  core.router.add("POST", "runs/{}/continue", [c](const DemoCall& call) { return continueRun(*c, call); });
  core.router.add("GET", "runs/{}", [c](const DemoCall& call) {
    const DemoRun* run = c->state.run(call.params[0]);
    if (!run) return unknownRun();
    std::string status = run->status;
    if (run->status == "running")
      status += ", " + std::to_string(std::lround(std::min(1.0, c->timeline.fraction(*run, Clock::now())) * 100)) + "%";
    c->say(status);
    return Reply::json(c->runDetail(*run).dump());
  });
  core.router.add("DELETE", "runs/{}", [c](const DemoCall& call) {
    if (!c->state.run(call.params[0])) return unknownRun();
    std::erase_if(c->state.runs, [&](const DemoRun& run) { return run.id == call.params[0]; });
    c->say("deleted " + call.params[0]);
    return Reply::json(R"({"ok":true})");
  });
  core.router.add("GET", "runs/{}/lenses", [c](const DemoCall& call) {
    const DemoRun* run = c->state.run(call.params[0]);
    if (!run) return unknownRun();
    const auto progress = c->timeline.progress(*run, Clock::now());
    c->say(progress["phase"].get<std::string>() + ", " + std::to_string(progress["done"].get<int>()) + " of " +
           std::to_string(progress["total"].get<int>()) + " lenses");
    return Reply::json(progress.dump());
  });
  core.router.add("GET", "runs/{}/pdf", [c](const DemoCall& call) {
    const DemoRun* run = c->state.run(call.params[0]);
    if (!run) return unknownRun();
    if (run->status != "complete") return failure(409, "Only a finished report can be exported.", "not_complete");
    const DemoProject* project = c->state.project(run->projectId);
    Reply reply = Reply::json(reportPdf("Vesk report: " + (project ? project->name : run->id), run->output));
    reply.contentType = "application/pdf";
    return reply;
  });
}

}  // namespace vesk::demo
