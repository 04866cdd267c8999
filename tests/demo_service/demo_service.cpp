#include "demo_service/demo_service.h"

#include "demo_service/demo_core.h"
#include "demo_service/demo_writing.h"

#include "core/platform/object_ptr.h"

#include <glib.h>

#include <algorithm>
#include <set>

namespace vesk::demo {

namespace {

constexpr const char* apiPrefix = "/api/desktop/";

std::string logLine(const RecordedRequest& request, const Reply& reply, const std::string& note) {
  std::string line = request.method + " " + request.path;
  if (request.query) line += "?" + *request.query;
  line += " → " + std::to_string(reply.status);
  if (!note.empty()) line += " · " + note;
  return line;
}

}  // namespace

DemoCore::DemoCore(testing::FakeService& service, DemoOptions options)
    : options(std::move(options)), timeline(this->options.pace), signIn(service), origin(service.origin()) {
  state.kind = this->options.account;
  seedCatalog(state, timeline);
  addAccountRoutes(*this);
  addProjectRoutes(*this);
  addRunRoutes(*this);
  addReportRoutes(*this);
}

bool DemoCore::isSignedIn(const RecordedRequest& request) const {
  const auto header = request.header("Authorization");
  if (!header || !header->starts_with("Bearer ")) return false;
  const std::string token = header->substr(7);
  const auto& issued = signIn.tokens();
  return std::find(issued.begin(), issued.end(), token) != issued.end() && !state.revokedTokens.contains(token);
}

Reply DemoCore::answer(const RecordedRequest& request) {
  if (!isSignedIn(request)) {
    say("unknown session: the demo forgets sessions when it stops, so sign in again");
    return failure(401, "Sign in to the Vesk demo service again.", "unauthorized");
  }
  advance();
  return router.dispatch(request, request.path.substr(std::string(apiPrefix).size()));
}

void DemoCore::advance() {
  const auto now = Clock::now();
  for (auto& run : state.runs) {
    if (!timeline.isDue(run, now)) continue;
    if (run.scriptedFailure) {
      run.status = "failed";
      run.refundConfirmed = true;
      ++state.account.auditBalance;
      say(run.id + " failed as scripted, its credit returned");
    } else {
      run.status = "complete";
      writeOutput(run);
      say(run.id + " complete");
    }
  }
}

void DemoCore::say(const std::string& text) { note += (note.empty() ? "" : "; ") + text; }

void DemoCore::writeOutput(DemoRun& run) {
  if (run.mode == "followup") return;  // written once, when the question was asked
  const DemoProject* project = state.project(run.projectId);
  if (!project) return;
  const DemoRun* baseline = run.baselineRunId ? state.run(*run.baselineRunId) : nullptr;
  run.output = writeReport(run, *project, baseline);
}

nlohmann::json DemoCore::runDetail(const DemoRun& run) const {
  nlohmann::json detail = savedRunJson(run, state);
  detail["questions"] = run.status == "discovery" ? questionsJson() : nlohmann::json::array();
  if (run.status == "failed" && run.mode == "full") detail["refundConfirmed"] = run.refundConfirmed;
  if (run.status == "failed" && run.mode == "quick") detail["retryable"] = false;
  if (run.sharedSlug) detail["sharedSlug"] = *run.sharedSlug;
  if (run.inheritedFromRunId) detail["inheritedFromRunId"] = *run.inheritedFromRunId;
  detail["urls"] = nlohmann::json::array();
  for (std::size_t i = 0; i < run.urls.size(); ++i) {
    nlohmann::json url = {{"url", run.urls[i]},
                          {"source", "Vesk demo service"},
                          {"note", "The demo draws a stand-in for this page; it does not fetch it."}};
    if (i < 8) url["screenshotUrl"] = "/api/url-shot/" + run.id + "/" + std::to_string(i);
    detail["urls"].push_back(url);
  }
  detail["attachments"] = nlohmann::json::array();
  for (std::size_t i = 0; i < run.attachments.size(); ++i) {
    const auto& file = run.attachments[i];
    detail["attachments"].push_back({{"filename", file.filename},
                                     {"mediaType", file.mediaType},
                                     {"sizeBytes", file.sizeBytes()},
                                     {"url", "/api/attachments/" + run.id + "/" + std::to_string(i)}});
  }
  return detail;
}

const nlohmann::json* member(const nlohmann::json& body, const char* key, nlohmann::json::value_t type) {
  if (!body.is_object()) return nullptr;
  const auto found = body.find(key);
  return found != body.end() && found->type() == type ? &*found : nullptr;
}

std::optional<std::string> textMember(const nlohmann::json& body, const char* key) {
  const auto* value = member(body, key, nlohmann::json::value_t::string);
  return value ? std::optional<std::string>(value->get<std::string>()) : std::nullopt;
}

std::optional<AuditAttachment> attachmentOf(const nlohmann::json& value) {
  static const std::set<std::string> mediaTypes = {"image/png",       "image/jpeg", "image/webp",   "image/gif",
                                                   "application/pdf", "text/plain", "text/markdown"};
  const auto filename = textMember(value, "filename");
  const auto mediaType = textMember(value, "mediaType");
  const auto data = textMember(value, "data");
  if (!filename || filename->empty() || !mediaType || !mediaTypes.contains(*mediaType) || !data) return std::nullopt;
  const bool base64 = data->size() % 4 == 0 && data->find_first_not_of(
                                                   "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                   "0123456789+/=") == std::string::npos;
  if (!base64) return std::nullopt;
  return AuditAttachment(*filename, *mediaType, *data);
}

std::string bytesOf(const AuditAttachment& attachment) {
  gsize size = 0;
  const glib::GFreePtr<guchar> bytes(g_base64_decode(attachment.data.c_str(), &size));
  return std::string(reinterpret_cast<const char*>(bytes.get()), size);
}

DemoService::DemoService(testing::FakeService& service, DemoOptions options)
    : core_(std::make_shared<DemoCore>(service, std::move(options))) {
  for (const char* method : {"GET", "POST", "PATCH", "PUT", "DELETE"})
    service.onPrefix(method, apiPrefix,
                     [core = core_](const RecordedRequest& request) { return core->answer(request); });
  service.fallback([core = core_](const RecordedRequest& request) {
    if (request.path.starts_with("/api/"))
      return failure(404, "The Vesk demo service does not offer this address.", "not_found");
    return webPage(core->state, request);
  });
  service.observe([core = core_](const RecordedRequest& request, const Reply& reply) {
    if (core->options.log) core->options.log(logLine(request, reply, core->note));
    core->note.clear();
  });
}

DemoService::~DemoService() = default;

DemoState& DemoService::state() { return core_->state; }

const std::vector<std::string>& DemoService::tokens() const { return core_->signIn.tokens(); }

}  // namespace vesk::demo
