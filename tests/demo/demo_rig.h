#pragma once
// The demo service on the loopback fake service of a workspace harness, with the browser
// played by a launcher that fetches the sign-in page over HTTP and follows its redirects
// to the callback address, which it hands to the browser connection as a second launch
// of the application would.
#include "core/api/desktop_api.h"
#include "core/async/spawn.h"
#include "core/async/timing.h"
#include "demo_service/demo_service.h"
#include "support/workspace_harness.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <vector>

namespace vesk::testing {

// Whether the bytes decode as an image.
bool isImage(const std::string& bytes);

class DemoRig {
 public:
  // Runs last a twentieth of their length; the workspace polls every 100 ms.
  explicit DemoRig(demo::AccountKind account = demo::AccountKind::live, double pace = 0.05);
  ~DemoRig();

  // A workspace signed in through the browser, its account, library and projects loaded.
  std::shared_ptr<Workspace> signedInWorkspace();
  // A client with a token from a sign-in through the browser.
  DesktopAPI signedInClient();

  // Calls the service and parses the reply as JSON; the call must succeed.
  nlohmann::json get(const DesktopAPI& client, const std::string& operation);
  nlohmann::json post(const DesktopAPI& client, const std::string& operation, JsonObject body);
  // The failure of a call that must fail.
  DesktopHTTPError failure(const DesktopAPI& client, const std::string& operation,
                           std::optional<JsonObject> body = std::nullopt,
                           std::optional<std::string> method = std::nullopt);
  // The first saved run of the library (newest first) that matches.
  nlohmann::json libraryRun(const DesktopAPI& client, const std::function<bool(const nlohmann::json&)>& wanted);

  async::ScopedTimeScale fastPolls{0.04};
  std::vector<std::string> log;  // outlives the service, whose observer writes it
  WorkspaceHarness h;
  std::unique_ptr<demo::DemoService> demo;

 private:
  void followLaunchedAddress();
  std::vector<async::TaskHandle<void>> visits_;
};

}  // namespace vesk::testing
