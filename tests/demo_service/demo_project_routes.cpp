// Projects, their runs, anchor files and earlier audits, and the paged run archive.
#include "demo_service/demo_core.h"
#include "demo_service/demo_writing.h"

#include "core/signin/query_items.h"

#include <glib.h>

#include <algorithm>

namespace vesk::demo {

namespace {

constexpr glong longestProjectName = 120;
constexpr glong longestBrief = 5000;
constexpr std::int64_t pageSize = 100;

glong characters(const std::string& text) { return g_utf8_strlen(text.c_str(), -1); }

Reply unknownProject() { return failure(404, "This project is not in your library.", "project_not_found"); }

bool isWebAddress(const std::string& text) { return text.starts_with("https://") || text.starts_with("http://"); }

// Applies the members a create or edit body carries; returns the sentence of the first
// bad one, or nothing.
std::optional<std::string> applyProjectBody(DemoProject& project, const nlohmann::json& body, bool creating) {
  if (const auto name = textMember(body, "name"); name || creating) {
    if (!name || name->find_first_not_of(" \t\r\n") == std::string::npos || characters(*name) > longestProjectName)
      return "Give the project a name of up to 120 characters.";
    project.name = *name;
  }
  if (const auto brief = textMember(body, "brief")) {
    if (characters(*brief) > longestBrief) return "Keep the brief under 5,000 characters.";
    project.brief = *brief;
  }
  if (body.contains("kind")) {
    const auto kind = textMember(body, "kind");
    if (!body["kind"].is_null() && kind != "landing" && kind != "dashboard")
      return "Choose a website or an application.";
    project.kind = kind;
  }
  if (creating) project.intent = textMember(body, "intent").value_or("redesign");
  if (const auto url = textMember(body, "contextUrl")) {
    if (!isWebAddress(*url)) return "Use a complete http or https URL, without embedded credentials.";
    project.contextUrl = *url;
  } else if (member(body, "removeContextUrl", nlohmann::json::value_t::boolean)) {
    project.contextUrl.reset();
  }
  if (body.contains("contextAttachment")) {
    auto anchor = attachmentOf(body["contextAttachment"]);
    if (!anchor) return "This anchor file cannot be read.";
    project.anchor = std::move(anchor);
  } else if (member(body, "removeAnchor", nlohmann::json::value_t::boolean)) {
    project.anchor.reset();
  }
  return std::nullopt;
}

std::int64_t queryNumber(const RecordedRequest& request, const char* name, std::int64_t fallback) {
  const auto items = readQueryItems(request.query.value_or(""));
  const auto value = items ? firstValue(*items, name) : std::nullopt;
  if (!value || value->empty() || value->find_first_not_of("0123456789") != std::string::npos || value->size() > 9)
    return fallback;
  return std::stoll(*value);
}

nlohmann::json runList(const std::vector<const DemoRun*>& runs, const DemoState& state) {
  nlohmann::json list = nlohmann::json::array();
  for (const auto* run : runs) list.push_back(savedRunJson(*run, state));
  return list;
}

void addProjectReads(DemoCore& core) {
  DemoCore* c = &core;
  core.router.add("GET", "projects", [c](const DemoCall&) {
    std::vector<nlohmann::json> projects;
    for (const auto& project : c->state.projects) projects.push_back(projectJson(project, c->state));
    std::stable_sort(projects.begin(), projects.end(), [](const auto& a, const auto& b) {
      return a["lastActivity"].template get<std::string>() > b["lastActivity"].template get<std::string>();
    });
    return Reply::json(nlohmann::json{{"projects", projects}}.dump());
  });
  core.router.add("GET", "projects/{}", [c](const DemoCall& call) {
    const auto* project = c->state.project(call.params[0]);
    if (!project) return unknownProject();
    return Reply::json(nlohmann::json{{"project", projectJson(*project, c->state)}}.dump());
  });
  core.router.add("GET", "projects/{}/runs", [c](const DemoCall& call) {
    if (!c->state.project(call.params[0])) return unknownProject();
    return Reply::json(nlohmann::json{{"runs", runList(c->state.runsOf(call.params[0]), c->state)}}.dump());
  });
  core.router.add("GET", "projects/{}/anchor", [c](const DemoCall& call) {
    const auto* project = c->state.project(call.params[0]);
    if (!project) return unknownProject();
    if (!project->anchor) return failure(404, "This project has no anchor file.", "no_anchor");
    Reply reply = Reply::json(bytesOf(*project->anchor));
    reply.contentType = project->anchor->mediaType;
    return reply;
  });
  core.router.add("GET", "projects/{}/reaudits", [c](const DemoCall& call) {
    const auto* project = c->state.project(call.params[0]);
    if (!project) return unknownProject();
    nlohmann::json audits = nlohmann::json::array();
    for (const auto* run : c->state.runsOf(project->id))
      if (run->mode == "full" && run->status == "complete" && run->agent == "vesk")
        audits.push_back({{"id", run->id}, {"createdAt", run->createdAt}, {"subject", runSubject(*run, *project)}});
    return Reply::json(nlohmann::json{{"audits", audits}}.dump());
  });
  core.router.add("GET", "library", [c](const DemoCall& call) {
    const auto limit = std::clamp<std::int64_t>(queryNumber(call.request, "limit", pageSize), 1, pageSize);
    const auto offset = queryNumber(call.request, "offset", 0);
    const auto all = c->state.newestFirst();
    const auto total = static_cast<std::int64_t>(all.size());
    const auto end = std::min(total, offset + limit);
    std::vector<const DemoRun*> page;
    for (auto i = offset; i < end; ++i) page.push_back(all[std::size_t(i)]);
    nlohmann::json reply = {{"runs", runList(page, c->state)}};
    if (end < total) reply["nextOffset"] = end;
    c->say("runs " + std::to_string(std::min(offset, total)) + " to " + std::to_string(end) + " of " +
           std::to_string(total));
    return Reply::json(reply.dump());
  });
}

void addProjectWrites(DemoCore& core) {
  DemoCore* c = &core;
  core.router.add("POST", "projects", [c](const DemoCall& call) {
    DemoProject project;
    project.id = freshId("prj_");
    project.createdAt = isoTime(std::chrono::system_clock::now());
    if (const auto problem = applyProjectBody(project, call.body, true))
      return failure(422, *problem, "invalid_project");
    c->say("created project “" + project.name + "”");
    c->state.projects.push_back(std::move(project));
    return Reply::json(nlohmann::json{{"id", c->state.projects.back().id}}.dump(), 201);
  });
  core.router.add("PATCH", "projects/{}", [c](const DemoCall& call) {
    auto* project = c->state.project(call.params[0]);
    if (!project) return unknownProject();
    DemoProject edited = *project;
    if (const auto problem = applyProjectBody(edited, call.body, false))
      return failure(422, *problem, "invalid_project");
    *project = std::move(edited);
    c->say("saved project “" + project->name + "”");
    return Reply::json(R"({"ok":true})");
  });
  core.router.add("DELETE", "projects/{}", [c](const DemoCall& call) {
    const auto* project = c->state.project(call.params[0]);
    if (!project) return unknownProject();
    const std::string id = project->id;
    c->say("deleted project “" + project->name + "” and its runs");
    std::erase_if(c->state.runs, [&](const DemoRun& run) { return run.projectId == id; });
    std::erase_if(c->state.projects, [&](const DemoProject& p) { return p.id == id; });
    return Reply::json(R"({"ok":true})");
  });
}

}  // namespace

void addProjectRoutes(DemoCore& core) {
  addProjectReads(core);
  addProjectWrites(core);
}

}  // namespace vesk::demo
