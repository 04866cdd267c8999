// What the report reader asks of a finished run: its share link, a discussion question,
// new answers, a refined finding and its evidence images.
#include "demo_service/demo_core.h"
#include "demo_service/demo_evidence.h"
#include "demo_service/demo_writing.h"

#include <glib.h>

#include <algorithm>
#include <variant>

namespace vesk::demo {

namespace {

constexpr glong longestInstruction = 2000;

Reply unknownRun() { return failure(404, "This run is not in your library.", "run_not_found"); }

// The run when the report may be changed; otherwise the refusal.
std::variant<DemoRun*, Reply> changeableRun(DemoCore& c, const std::string& id) {
  DemoRun* run = c.state.run(id);
  if (!run) return unknownRun();
  if (run->status != "complete" || run->agent != "vesk")
    return failure(409, "Only a finished Vesk report can be changed or shared.", "not_changeable");
  return run;
}

std::optional<std::string> instructionOf(const nlohmann::json& body) {
  auto text = textMember(body, "instruction");
  if (!text) return std::nullopt;
  const auto first = text->find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::nullopt;
  *text = text->substr(first, text->find_last_not_of(" \t\r\n") - first + 1);
  if (g_utf8_strlen(text->c_str(), -1) > longestInstruction) return std::nullopt;
  return text;
}

// An evidence index as the client writes it: decimal, no leading zero.
std::optional<std::size_t> indexOf(const std::string& text) {
  if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  if (text.size() > 1 && text[0] == '0') return std::nullopt;
  return std::stoul(text);
}

std::string randomSlug() {
  static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-";
  std::string slug;
  for (int i = 0; i < 22; ++i) slug.push_back(alphabet[g_random_int_range(0, 64)]);
  return slug;
}

void addShareRoutes(DemoCore& core) {
  DemoCore* c = &core;
  core.router.add("GET", "runs/{}/share", [c](const DemoCall& call) {
    const DemoRun* run = c->state.run(call.params[0]);
    if (!run) return unknownRun();
    return Reply::json(nlohmann::json{{"slug", run->sharedSlug ? nlohmann::json(*run->sharedSlug) : nullptr}}.dump());
  });
  core.router.add("POST", "runs/{}/share", [c](const DemoCall& call) {
    auto found = changeableRun(*c, call.params[0]);
    if (auto* refused = std::get_if<Reply>(&found)) return *refused;
    DemoRun* run = std::get<DemoRun*>(found);
    if (!run->sharedSlug) run->sharedSlug = randomSlug();
    c->say("share link " + c->origin + "/c/" + *run->sharedSlug);
    return Reply::json(nlohmann::json{{"slug", *run->sharedSlug}}.dump());
  });
  core.router.add("DELETE", "runs/{}/share", [c](const DemoCall& call) {
    DemoRun* run = c->state.run(call.params[0]);
    if (!run) return unknownRun();
    run->sharedSlug.reset();
    c->say("share link revoked");
    return Reply::json(R"({"ok":true})");
  });
}

void addDiscussionRoutes(DemoCore& core) {
  DemoCore* c = &core;
  core.router.add("POST", "runs/{}/refine", [c](const DemoCall& call) {
    auto found = changeableRun(*c, call.params[0]);
    if (auto* refused = std::get_if<Reply>(&found)) return *refused;
    const auto instruction = instructionOf(call.body);
    if (!instruction) return failure(422, "Ask a question of up to 2,000 characters.", "invalid_instruction");
    const DemoRun original = *std::get<DemoRun*>(found);
    const DemoProject* project = c->state.project(original.projectId);
    if (!project) return unknownRun();
    DemoRun followUp;
    followUp.id = freshId("run_");
    followUp.projectId = original.projectId;
    followUp.mode = "followup";
    followUp.status = "complete";
    followUp.input = *instruction;
    followUp.createdAt = isoTime(std::chrono::system_clock::now());
    followUp.runNumber = c->state.nextRunNumber(original.projectId);
    followUp.inheritedFromRunId = original.id;
    followUp.output = writeFollowUp(original, *project, *instruction);
    c->say("follow-up " + followUp.id + " on " + original.id);
    c->state.runs.push_back(std::move(followUp));
    return Reply::json(savedRunJson(c->state.runs.back(), c->state).dump());
  });
  core.router.add("POST", "runs/{}/answers", [c](const DemoCall& call) {
    auto found = changeableRun(*c, call.params[0]);
    if (auto* refused = std::get_if<Reply>(&found)) return *refused;
    DemoRun* run = std::get<DemoRun*>(found);
    std::string problem;
    const auto answers =
        answersFromReader(call.body.is_object() ? call.body.value("answers", nlohmann::json()) : nullptr, problem);
    if (!answers) return failure(422, problem, "invalid_answers");
    for (const auto& [id, chosen] : *answers) run->answers[id] = chosen;
    c->writeOutput(*run);
    c->say("answers saved, report rewritten");
    return Reply::json(nlohmann::json{{"output", run->output}}.dump());
  });
  core.router.add("POST", "runs/{}/refine-finding", [c](const DemoCall& call) {
    auto found = changeableRun(*c, call.params[0]);
    if (auto* refused = std::get_if<Reply>(&found)) return *refused;
    DemoRun* run = std::get<DemoRun*>(found);
    const auto heading = textMember(call.body, "finding");
    const auto headings = findingHeadings(*run);
    if (!heading || std::find(headings.begin(), headings.end(), *heading) == headings.end())
      return failure(404, "This finding is not in the report.", "finding_not_found");
    const auto instruction = instructionOf(call.body);
    if (!instruction) return failure(422, "Say how to refine it, in up to 2,000 characters.", "invalid_instruction");
    run->refinedFindings[*heading] = refinedFindingText(*heading, *instruction);
    c->writeOutput(*run);
    c->say("refined “" + *heading + "”");
    Reply reply = Reply::json("### " + *heading + "\n\n" + run->refinedFindings[*heading]);
    reply.contentType = "text/plain; charset=utf-8";
    return reply;
  });
}

void addEvidenceRoutes(DemoCore& core) {
  DemoCore* c = &core;
  core.router.add("GET", "runs/{}/url-shot/{}", [c](const DemoCall& call) {
    const DemoRun* run = c->state.run(call.params[0]);
    const auto index = indexOf(call.params[1]);
    if (!run || !index || *index >= run->urls.size()) return failure(404, "No such screenshot.", "evidence_not_found");
    const std::string seed = run->urls[*index];
    if (!c->images.contains(seed)) c->images[seed] = pageShotPng(seed);
    Reply reply = Reply::json(c->images[seed]);
    reply.contentType = "image/png";
    return reply;
  });
  core.router.add("GET", "runs/{}/attachments/{}", [c](const DemoCall& call) {
    const DemoRun* run = c->state.run(call.params[0]);
    const auto index = indexOf(call.params[1]);
    if (!run || !index || *index >= run->attachments.size())
      return failure(404, "No such attached file.", "evidence_not_found");
    const auto& file = run->attachments[*index];
    Reply reply = Reply::json(bytesOf(file));
    reply.contentType = file.mediaType;
    return reply;
  });
}

}  // namespace

void addReportRoutes(DemoCore& core) {
  addShareRoutes(core);
  addDiscussionRoutes(core);
  addEvidenceRoutes(core);
}

}  // namespace vesk::demo
