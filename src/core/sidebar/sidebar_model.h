#pragma once
// What the sidebar draws from the workspace: the recent-project rows with their run
// menus, "More…", the account footer's face and texts, and the account menu with the
// billing request. Changes once per main-loop turn (see ChangeCoalescer). The menu's
// open state and the billing request live here, so the request and its rules are the
// model's; its task dies with the model, which dies with its view.
#include "core/async/owned_tasks.h"
#include "core/shell/change_coalescer.h"
#include "core/sidebar/sidebar_account_summary.h"
#include "core/sidebar/sidebar_projects.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

class SidebarModel {
 public:
  // Opens an address in the user's browser.
  using LinkOpener = std::function<void(const std::string& address)>;

  static constexpr const char* billingFailure = "Could not open billing. Please try again.";

  // One saved run in a project row's context menu.
  struct RunItem {
    std::string runID;
    std::string title;
    bool enabled = true;
    bool operator==(const RunItem&) const = default;
  };

  struct Row {
    std::string projectID;
    std::string name;
    SidebarRowValues values;
    bool active = false;
    bool enabled = true;
    std::vector<RunItem> runs;
    bool operator==(const Row&) const = default;
  };

  struct State {
    bool canNavigate = true;  // the wordmark, "New audit", "More…" and the offer's button
    std::vector<Row> rows;
    bool showsMore = false;
    SidebarFooterFace face = SidebarFooterFace::offer;
    std::optional<SidebarAccountSummary> summary;
    std::string accountName;
    std::string signInTitle;  // "Sign in" or "Signing in…"
    bool signOutEnabled = true;
    std::string retryTitle;  // "Reconnect" or "Try again"
    bool showingAccountMenu = false;
    std::string pricingLabel;
    bool billingLoading = false;
    std::optional<std::string> billingError;
    bool operator==(const State&) const = default;
  };

  // `builtInOrigin` stands in for the workspace's origin when it has no client.
  SidebarModel(std::shared_ptr<Workspace> workspace, LinkOpener openLink, std::string builtInOrigin);
  ~SidebarModel();
  SidebarModel(const SidebarModel&) = delete;
  SidebarModel& operator=(const SidebarModel&) = delete;

  const State& state() const { return state_; }
  // Emitted after state() changed.
  sigc::signal<void()>& signalChanged() { return changed_; }

  // Navigation; each tests the workspace's gate again when it runs.
  void newAudit();
  void openProject(const std::string& projectID);
  void openMore();
  void openRun(const std::string& runID);
  void openSettings();

  // The account footer.
  void signIn();
  void retryAccount();
  void signOut();

  // The account menu.
  void setShowingAccountMenu(bool shown);
  void toggleAccountMenu() { setShowingAccountMenu(!showingAccountMenu_); }
  void choosePricing();
  void chooseAbout();
  // Asks the service for the billing portal and opens it; one request at a time.
  void openBilling();
  // `path` under the workspace's origin, or the built-in one without a client.
  void openPublicPage(std::string_view path);

  std::size_t runningTasks() const { return tasks_.running(); }

 private:
  // How a task reaches its model: the model while it exists, nothing afterwards.
  class Self {
   public:
    Self(SidebarModel* model, std::weak_ptr<const int> life) : model_(model), life_(std::move(life)) {}
    SidebarModel* get() const { return life_.expired() ? nullptr : model_; }

   private:
    SidebarModel* model_;
    std::weak_ptr<const int> life_;
  };

  State read() const;
  void refresh();
  std::string connectionKey() const;
  bool paidAccount() const;
  static async::Task<void> billingTask(Self self, DesktopAPI client, std::string key);
  void billingEnded(const std::string& key, bool failed);

  std::shared_ptr<Workspace> workspace_;
  LinkOpener openLink_;
  std::string builtInOrigin_;
  bool showingAccountMenu_ = false;
  bool billingLoading_ = false;
  std::optional<std::string> billingError_;
  State state_;
  sigc::signal<void()> changed_;
  ChangeCoalescer changes_;
  std::shared_ptr<const int> life_ = std::make_shared<const int>(0);
  // Last, so it goes first: every task is cancelled before anything else is torn down.
  async::OwnedTasks tasks_;
};

}  // namespace vesk
