#include "demo_service/demo_state.h"

#include "core/platform/object_ptr.h"

#include <glib.h>

#include <algorithm>
#include <memory>

namespace vesk::demo {

namespace {

struct DateTimeDeleter {
  void operator()(GDateTime* time) const { g_date_time_unref(time); }
};
struct UriDeleter {
  void operator()(GUri* uri) const { g_uri_unref(uri); }
};

}  // namespace

DemoProject* DemoState::project(const std::string& id) {
  const auto found = std::find_if(projects.begin(), projects.end(), [&](const DemoProject& p) { return p.id == id; });
  return found == projects.end() ? nullptr : &*found;
}

DemoRun* DemoState::run(const std::string& id) {
  const auto found = std::find_if(runs.begin(), runs.end(), [&](const DemoRun& r) { return r.id == id; });
  return found == runs.end() ? nullptr : &*found;
}

std::vector<const DemoRun*> DemoState::runsOf(const std::string& projectId) const {
  std::vector<const DemoRun*> list;
  for (const auto* run : newestFirst())
    if (run->projectId == projectId) list.push_back(run);
  return list;
}

std::vector<const DemoRun*> DemoState::newestFirst() const {
  std::vector<const DemoRun*> list;
  for (const auto& run : runs) list.push_back(&run);
  // The time texts share one format, so they sort as text; later creation breaks ties.
  std::stable_sort(list.begin(), list.end(),
                   [](const DemoRun* a, const DemoRun* b) { return a->createdAt > b->createdAt; });
  return list;
}

std::int64_t DemoState::nextRunNumber(const std::string& projectId) const {
  std::int64_t highest = 0;
  for (const auto& run : runs)
    if (run.projectId == projectId) highest = std::max(highest, run.runNumber);
  return highest + 1;
}

std::string isoTime(std::chrono::system_clock::time_point moment) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count();
  const std::unique_ptr<GDateTime, DateTimeDeleter> time(g_date_time_new_from_unix_utc(seconds));
  if (!time) return "1970-01-01T00:00:00Z";
  const glib::GFreePtr<char> text(g_date_time_format(time.get(), "%Y-%m-%dT%H:%M:%SZ"));
  return text.get();
}

std::string isoTimeAgo(std::chrono::seconds age) { return isoTime(std::chrono::system_clock::now() - age); }

std::string freshId(const std::string& prefix) {
  static const char digits[] = "0123456789abcdef";
  std::string id = prefix;
  for (int i = 0; i < 12; ++i) id.push_back(digits[g_random_int_range(0, 16)]);
  return id;
}

nlohmann::json savedRunJson(const DemoRun& run, const DemoState& state) {
  const auto found = std::find_if(state.projects.begin(), state.projects.end(),
                                  [&](const DemoProject& p) { return p.id == run.projectId; });
  nlohmann::json json = {{"id", run.id},
                         {"projectId", run.projectId},
                         {"projectName", found == state.projects.end() ? std::string() : found->name},
                         {"status", run.status},
                         {"output", run.output},
                         {"auditMode", run.mode},
                         {"createdAt", run.createdAt},
                         {"input", run.input},
                         {"runNumber", run.runNumber},
                         {"agent", run.agent}};
  if (run.partial) json["partial"] = true;
  return json;
}

nlohmann::json projectJson(const DemoProject& project, const DemoState& state) {
  nlohmann::json json = {
      {"id", project.id}, {"name", project.name}, {"brief", project.brief}, {"createdAt", project.createdAt}};
  if (project.kind) json["kind"] = *project.kind;
  if (project.intent) json["intent"] = *project.intent;
  if (project.contextUrl) {
    json["contextUrl"] = *project.contextUrl;
    // The demo never fetches a page; it names the host it would have read.
    const std::unique_ptr<GUri, UriDeleter> uri(g_uri_parse(project.contextUrl->c_str(), G_URI_FLAGS_NONE, nullptr));
    json["contextUrlMeta"] = nlohmann::json::object();
    if (uri && g_uri_get_host(uri.get())) json["contextUrlMeta"]["title"] = g_uri_get_host(uri.get());
  }
  if (project.anchor) {
    json["contextAttachment"] = {{"filename", project.anchor->filename},
                                 {"mediaType", project.anchor->mediaType},
                                 {"sizeBytes", project.anchor->sizeBytes()}};
  }
  const auto runs = state.runsOf(project.id);
  json["runCount"] = static_cast<std::int64_t>(runs.size());
  json["lastActivity"] = runs.empty() ? project.createdAt : runs.front()->createdAt;
  if (!runs.empty()) {
    const DemoRun& last = *runs.front();
    json["lastAgent"] = last.agent;
    json["lastAuditMode"] = last.mode;
    json["lastRun"] = {{"id", last.id}, {"agent", last.agent}, {"auditMode", last.mode}, {"createdAt", last.createdAt}};
  }
  return json;
}

nlohmann::json accountJson(const DemoState& state) {
  const DemoAccount& account = state.account;
  return {{"email", account.email},
          {"auditBalance", account.auditBalance},
          {"plan", account.plan},
          {"quick",
           {{"allowed", account.quickRemainingToday > 0},
            {"perDay", account.quickPerDay},
            {"perMonth", account.quickPerDay * 30},
            {"remainingToday", account.quickRemainingToday}}},
          {"caps", {{"urlsPerRun", 3}}},
          {"displayName", account.displayName},
          {"freeWeek", {{"active", true}, {"endsAt", account.freeWeekEndsAt}, {"daysLeft", account.freeWeekDaysLeft}}},
          {"membershipActive", false}};
}

}  // namespace vesk::demo
