#pragma once
// A workspace wired to the loopback fake service, a private support folder and its own
// keyring service, with helpers to script the service's desktop API.
#include "core/async/timing.h"
#include "core/signin/browser_connection.h"
#include "core/signin/session_keychain.h"
#include "core/workspace/save_dialog.h"
#include "core/workspace/workspace.h"
#include "fake_service/fake_service.h"
#include "support/run_loop.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vesk::testing {

// The path of a desktop API operation on the fake service.
std::string desktop(const std::string& operation);

nlohmann::json accountJson(std::int64_t auditBalance = 3, bool quickAllowed = true,
                           std::optional<std::int64_t> urlsPerRun = std::nullopt);
Reply meReply(bool fixture = false, nlohmann::json account = accountJson());
nlohmann::json runJson(const std::string& id, const std::string& status, const std::string& mode = "quick",
                       const std::string& output = "");
nlohmann::json savedRunJson(const std::string& id, const std::string& status, const std::string& mode = "quick",
                            bool fixture = false, const std::string& projectName = "Doral");
SavedAudit savedRun(const std::string& id, const std::string& status, const std::string& mode = "quick",
                    bool fixture = false, const std::string& projectName = "Doral");
nlohmann::json questionsJson();

// Answers the save panel with a fixed path (or nothing) and records what it proposed and
// for which kind of file (the PDF panel records no kind).
class FakeSaveDialog : public SaveDialog {
 public:
  std::optional<std::string> answer;
  std::vector<std::string> proposals;
  std::vector<SavedFileKind> kinds;
  async::Task<std::optional<std::string>> choosePdfDestination(std::string suggestedName) override;
  async::Task<std::optional<std::string>> chooseDestination(std::string suggestedName, SavedFileKind kind) override;
};

// Stands in for the window that sign-in brings to the front.
class TestAnchor : public AnchorWindow {
 public:
  void present() override {}
};

class WorkspaceHarness {
 public:
  WorkspaceHarness();
  ~WorkspaceHarness();

  FakeService service;
  std::string folder;
  std::shared_ptr<SessionKeychain> keychain;
  std::shared_ptr<FakeSaveDialog> dialog = std::make_shared<FakeSaveDialog>();
  std::shared_ptr<TestAnchor> anchor = std::make_shared<TestAnchor>();
  // Addresses the browser was asked to open, and a hook run at each launch.
  std::vector<std::string> launched;
  std::function<void()> onLaunch;
  std::shared_ptr<BrowserConnection> browser;

  Workspace::Environment environment();
  // Stores a session for the fake service that expires `lifetime` from now.
  void storeSession(std::chrono::seconds lifetime = std::chrono::hours(1), const std::string& token = "token-1",
                    std::optional<std::string> origin = std::nullopt);
  // Routes "me", "library" and "projects" with an empty library.
  void routeAccount(bool fixture = false, nlohmann::json account = accountJson());
  // A workspace restored from a stored session whose account has loaded.
  std::shared_ptr<Workspace> signedIn(bool fixture = false, nlohmann::json account = accountJson());
  // Routes the availability probe and a token exchange that issues `token`.
  void routeSignIn(const std::string& token = "token-2", std::int64_t expiresIn = 3600);
  // Plays the browser: answers the last launched sign-in with a valid callback.
  void returnFromBrowser();
  std::string readFile(const std::string& name) const;
  bool fileExists(const std::string& name) const;
};

}  // namespace vesk::testing
