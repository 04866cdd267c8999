#pragma once
// The one state object of the application window: the session, the screen, the composer
// input, the discovery answers, the saved runs, the open run and the flags the screens
// draw from. Lives on the main thread; every asynchronous step is a task of the runtime
// in core/async that checks the line of work it belongs to after each suspension.
//
// Always held by std::shared_ptr (see create()): the tasks it starts keep it alive until
// they end, and destroying it cancels none of them.
#include "core/api/desktop_api.h"
#include "core/async/spawn.h"
#include "core/records/account_records.h"
#include "core/records/audit_records.h"
#include "core/records/library_records.h"
#include "core/records/run_records.h"
#include "core/workspace/audit_progress_snapshot.h"
#include "core/workspace/published.h"
#include "core/workspace/saved_run_writer.h"
#include "core/workspace/screen.h"

#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class BrowserConnection;
class SaveDialog;
class SessionKeychain;

class Workspace : public std::enable_shared_from_this<Workspace> {
 public:
  // What the workspace is built from. The application passes the build's values; tests
  // pass the fake service's origin, a private folder and a fake save dialog.
  struct Environment {
    std::string serviceOrigin;
    std::string supportFolder;
    std::shared_ptr<SessionKeychain> keychain;
    std::shared_ptr<BrowserConnection> browser;
    std::shared_ptr<SaveDialog> saveDialog;
  };
  // The application's environment: the build's origin, the support folder under the XDG
  // data folder and the keyring; the browser sign-in and the save panel come from the
  // application, which owns the window they need.
  static Environment defaultEnvironment(std::shared_ptr<BrowserConnection> browser,
                                        std::shared_ptr<SaveDialog> saveDialog);

  // Whether create() reads the saved session from the keyring. The read does not hold up
  // create(): the account counts as loading until the session is known, and its loads
  // follow at once.
  enum class SavedSession { ignore, restore };
  static std::shared_ptr<Workspace> create(Environment environment, SavedSession savedSession);
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // Published state, in declaration order.
  Published<Screen> screen{Screen::home};
  Published<bool> fixture{false};
  Published<std::optional<Account>> account;
  Published<bool> accountLoading{false};
  Published<std::optional<std::string>> accountError;
  Published<std::string> auditMode{"quick"};
  Published<std::string> draftID;
  Published<std::string> projectName;
  Published<std::string> urls;
  Published<std::string> brief;
  Published<std::vector<AuditAttachment>> attachments;
  Published<std::vector<DiscoveryQuestion>> questions;
  Published<std::map<std::string, std::vector<std::string>>> answers;
  Published<std::vector<SavedAudit>> reports;
  Published<std::vector<LibraryProject>> sidebarProjects;
  Published<std::optional<SavedAudit>> current;
  Published<std::optional<std::string>> error;
  Published<bool> busy{false};
  Published<bool> reportMutationInFlight{false};
  Published<bool> connectionLost{false};
  Published<int> progress{0};
  Published<bool> confirmed{false};
  Published<std::optional<std::string>> baselineRunID;
  Published<std::optional<ReportBaseline>> comparisonBaseline;
  Published<bool> reconnectRequired{false};
  Published<bool> existingContextAvailable{false};
  Published<std::string> projectIntent{"redesign"};
  Published<std::optional<std::string>> libraryProjectID;
  Published<std::optional<AuditProgressSnapshot>> liveProgress;
  Published<bool> quickRetryable{false};
  Published<std::string> originText;
  // Counts changes of the session's token or origin, so what holds a connection of its
  // own (the report reader, the library page) can follow a reconnect.
  Published<std::uint64_t> connectionRevision{0};

  // State, navigation and the saved-run list.
  std::optional<DesktopAPI> api() const;
  bool hasAccountSession() const;
  bool isQuickRead() const;
  bool canNavigateToAnotherRun() const;
  void newAudit();
  // The service project the next submission runs in; without one it creates a project
  // first. A new audit clears it; a project chosen in the library sets it.
  const std::optional<std::string>& projectID() const { return projectID_; }
  void setProjectID(std::optional<std::string> id) { projectID_ = std::move(id); }
  void acceptReportOutput(const SharedText& output, const std::string& runID);
  void acceptReport(const SavedAudit& run);
  void forgetReport(const std::string& runID);
  const std::string& supportFolder() const { return runWriter_.folder(); }
  // The save panel the application gave the workspace (the account archive uses it too).
  const std::shared_ptr<SaveDialog>& saveDialog() const { return saveDialog_; }

  // Session and account.
  // Whether connect() keeps the composer's draft and the open run.
  enum class SavedWork { discard, preserve };
  void connect(SavedWork savedWork);
  void disconnect();
  async::Task<void> refreshAccount();
  async::Task<void> refreshLibrary();
  async::Task<void> refreshProjects();

  // Opening runs and export.
  void openReport(const SavedAudit& run);
  void exportPDF();

  // Composer rules and discovery.
  int maxURLs() const;
  bool canStartQuickRead() const;
  std::optional<std::string> auditAccessNotice() const;
  bool hasAuditSources() const;
  void addFiles(std::vector<std::string> paths);
  void selectComparisonBaseline(const ReportBaseline& baseline);
  void discover();
  std::string questionKey(std::size_t index) const;
  std::vector<std::string> selectedAnswers(long index) const;
  void select(const std::string& option, const std::string& question, std::optional<long> index);
  bool allAnswered() const;
  nlohmann::json discoveryPayload() const;

  // Running, watching and reconciling.
  void runQuickRead();
  void start();
  void retryQuickRead();
  void checkStatus();
  void pauseWatching();
  std::vector<std::string> stages() const;

  // The tasks in the two slots, for tests and the shell's "is anything running" checks.
  const async::TaskSlot& operationSlot() const { return operation_; }
  const async::TaskSlot& watcherSlot() const { return watcher_; }
  // The writer of the saved-run list, for tests and the benchmark to wait on.
  const SavedRunWriter& savedRunWriter() const { return runWriter_; }

 private:
  explicit Workspace(Environment environment);
  void restoreSession();

  // Every asynchronous step copies the line of work it belongs to and writes nothing once
  // it has moved on.
  bool isCurrent(const std::string& copy) const { return generation_ == copy; }
  bool isSessionCurrent(const std::string& copy) const { return sessionGeneration_ == copy; }
  void renewGeneration();
  bool isOpenRun(const std::string& runID) const;
  void remember();
  void persist();
  void revokeExistingSession();
  bool clearKeychain();

  static async::Task<void> restoreTask(std::shared_ptr<Workspace> self, std::string session);
  static async::Task<void> sessionTask(std::shared_ptr<Workspace> self, std::string generation, std::string origin,
                                       SavedWork savedWork, Screen shownAtStart);
  static async::Task<void> openTask(std::shared_ptr<Workspace> self, SavedAudit run);
  static async::Task<void> exportTask(std::shared_ptr<Workspace> self, DesktopAPI client, SavedAudit run,
                                      std::string session);
  // Cancels the PDF export of the session that ends, if one is running.
  void endExport();
  static async::Task<void> addFilesTask(std::shared_ptr<Workspace> self, std::string draft,
                                        std::vector<std::string> paths);
  // A project name that discover() worked out, and the blank text it replaced.
  struct DerivedName {
    std::string before;
    std::string name;
  };
  static async::Task<void> discoveryTask(std::shared_ptr<Workspace> self, std::string generation, std::string mode,
                                         std::vector<std::string> sourceURLs, std::optional<DerivedName> derived);
  async::Task<void> discoverLocally(std::string generation, std::string mode);
  async::Task<void> discoverOnService(std::string generation, std::string mode, std::vector<std::string> sourceURLs);
  void beginReview();
  void watch(const std::string& runID);
  async::Task<void> reconcile(std::string runID);
  static async::Task<void> runStartTask(std::shared_ptr<Workspace> self, SavedAudit run, std::string generation);
  static async::Task<void> watcherTask(std::shared_ptr<Workspace> self, std::string runID, std::string generation);
  static async::Task<void> retryTask(std::shared_ptr<Workspace> self, DesktopAPI client, SavedAudit run,
                                     std::string generation);
  async::Task<void> playPreview(SavedAudit run, std::string generation);
  async::Task<void> applyRunState(RunState reply);
  JsonObject projectBody() const;
  JsonObject runCreationBody(const std::string& mode, const std::vector<std::string>& sourceURLs) const;
  JsonObject continueBody(bool retry) const;
  std::string failureMessage(const RunState& reply) const;
  static async::Task<void> checkStatusTask(std::shared_ptr<Workspace> self, std::string runID);

  // The signed-in session's token and origin; every change counts in connectionRevision.
  void setSession(std::optional<std::string> token, std::optional<std::string> origin);

  std::optional<std::string> token_;
  std::optional<std::string> connectedOrigin_;
  async::TaskSlot operation_;
  async::TaskSlot watcher_;
  bool continuationInFlight_ = false;
  std::shared_ptr<SessionKeychain> keychain_;
  std::shared_ptr<BrowserConnection> browser_;
  std::shared_ptr<SaveDialog> saveDialog_;
  std::optional<std::string> projectID_;
  std::string generation_;
  // Renewed only by connect() and disconnect(): the account, library and project loads
  // belong to the session, so navigating to another run does not silence them.
  std::string sessionGeneration_;
  SavedRunWriter runWriter_;
  // The line of work whose discovery task is running, if any.
  std::optional<std::string> discoveryGeneration_;
  bool exportRunning_ = false;
  async::TaskRef export_;
};

}  // namespace vesk
