#pragma once
// The inside of the demo service shared by its route groups: the state, the clock of
// the runs, the sign-in pages, the router and the note each handler leaves for the log.
#include "demo_service/demo_router.h"
#include "demo_service/demo_service.h"
#include "demo_service/demo_timeline.h"
#include "fake_service/fake_sign_in.h"

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <string>

namespace vesk::demo {

struct DemoCore {
  DemoCore(testing::FakeService& service, DemoOptions options);

  DemoOptions options;
  DemoState state;
  DemoTimeline timeline;
  testing::FakeSignIn signIn;
  DemoRouter router;
  std::string origin;
  std::string note;                           // what the current request did, for its log line
  std::map<std::string, std::string> images;  // drawn evidence, by seed

  // Answers one request below "/api/desktop/" (after the sign-in pages): checks the
  // token, moves the runs on, routes.
  Reply answer(const RecordedRequest& request);
  // Finishes every running run whose time has come: writes its report, or fails it and
  // returns the credit for the scripted failure.
  void advance();
  bool isSignedIn(const RecordedRequest& request) const;
  // Adds to what the current request's log line says.
  void say(const std::string& text);

  // The run as the client reads it: the run state and the report detail in one object.
  nlohmann::json runDetail(const DemoRun& run) const;
  void writeOutput(DemoRun& run);
};

// The route groups.
void addAccountRoutes(DemoCore& core);
void addProjectRoutes(DemoCore& core);
void addRunRoutes(DemoCore& core);
void addReportRoutes(DemoCore& core);
// The fresh account, projects and runs of one start.
void seedCatalog(DemoState& state, const DemoTimeline& timeline);
// Pages outside the API: the origin's own pages and share links.
Reply webPage(const DemoState& state, const RecordedRequest& request);

// Reading bodies. An attachment must carry one of the media types the client sends and
// well-formed standard Base64.
std::optional<AuditAttachment> attachmentOf(const nlohmann::json& value);
std::string bytesOf(const AuditAttachment& attachment);
const nlohmann::json* member(const nlohmann::json& body, const char* key, nlohmann::json::value_t type);
std::optional<std::string> textMember(const nlohmann::json& body, const char* key);

}  // namespace vesk::demo
