#include "core/sidebar/sidebar_model.h"

#include "core/records/json_fields.h"
#include "core/records/vesk_error.h"
#include "core/sidebar/public_pages.h"
#include "core/signin/connection_key.h"

#include <algorithm>

namespace vesk {

namespace {

// The reply of the billing-portal request.
struct BillingPortal {
  std::string url;
  static BillingPortal fromJson(const nlohmann::json& value) {
    JsonFields fields(value, "Portal");
    return {fields.text("url")};
  }
};

}  // namespace

SidebarModel::SidebarModel(std::shared_ptr<Workspace> workspace, LinkOpener openLink, std::string builtInOrigin)
    : workspace_(std::move(workspace)),
      openLink_(std::move(openLink)),
      builtInOrigin_(std::move(builtInOrigin)),
      changes_([this] { refresh(); }) {
  state_ = read();
  auto& w = *workspace_;
  for (auto* signal : {&w.sidebarProjects.signalChanged(), &w.reports.signalChanged(), &w.current.signalChanged(),
                       &w.screen.signalChanged(), &w.libraryProjectID.signalChanged(), &w.fixture.signalChanged(),
                       &w.busy.signalChanged(), &w.reportMutationInFlight.signalChanged(), &w.account.signalChanged(),
                       &w.accountLoading.signalChanged(), &w.accountError.signalChanged(),
                       &w.reconnectRequired.signalChanged(), &w.originText.signalChanged()})
    changes_.follow(*signal);
}

SidebarModel::~SidebarModel() { tasks_.cancelAll(); }

SidebarModel::State SidebarModel::read() const {
  const Workspace& w = *workspace_;
  State state;
  state.canNavigate = w.canNavigateToAnotherRun();
  const auto projects = sidebarProjectList(*w.fixture, *w.sidebarProjects, *w.reports);
  const auto activeID = activeProjectID(*w.screen, *w.libraryProjectID, *w.current);
  const auto& current = *w.current;
  for (const auto& project : visibleProjects(projects, activeID)) {
    Row row{project.id, project.name, sidebarRowValues(project, *w.reports), activeID == project.id, true, {}};
    row.enabled = state.canNavigate || (current && current->projectId == project.id);
    for (const auto& run : projectRuns(project.id, *w.reports))
      row.runs.push_back({run.id, runMenuTitle(run), state.canNavigate || (current && current->id == run.id)});
    state.rows.push_back(std::move(row));
  }
  state.showsMore = showsMoreProjects(projects);

  state.face = sidebarFooterFace(
      {*w.fixture, w.hasAccountSession(), w.account->has_value(), *w.accountLoading, w.accountError->has_value()});
  if (*w.account) state.summary = SidebarAccountSummary::from(**w.account);
  state.accountName = sidebarAccountName(*w.account);
  state.signInTitle = *w.busy ? "Signing in\u2026" : "Sign in";
  state.signOutEnabled = !*w.busy;
  state.retryTitle = *w.reconnectRequired ? "Reconnect" : "Try again";

  state.showingAccountMenu = showingAccountMenu_;
  state.billingLoading = billingLoading_;
  state.billingError = billingError_;
  if (billingLoading_) {
    state.pricingLabel = "Opening billing\u2026";
  } else if (!state.summary) {
    state.pricingLabel = "See prices";
  } else {
    state.pricingLabel = state.summary->paid ? "Manage billing" : state.summary->pricingLabel;
  }
  return state;
}

void SidebarModel::refresh() {
  State next = read();
  if (next == state_) return;
  state_ = std::move(next);
  changed_.emit();
}

void SidebarModel::newAudit() { workspace_->newAudit(); }  // it tests the gate itself

void SidebarModel::openProject(const std::string& projectID) {
  if (!workspace_->canNavigateToAnotherRun()) return;
  workspace_->libraryProjectID = projectID;
  workspace_->screen = Screen::library;
}

void SidebarModel::openMore() {
  if (!workspace_->canNavigateToAnotherRun()) return;
  workspace_->libraryProjectID = std::nullopt;
  workspace_->screen = Screen::library;
}

// The workspace accepts the open run even while the gate is shut, and nothing else then.
void SidebarModel::openRun(const std::string& runID) {
  const auto& reports = *workspace_->reports;
  const auto run = std::find_if(reports.begin(), reports.end(), [&](const SavedAudit& r) { return r.id == runID; });
  if (run == reports.end()) return;
  const SavedAudit chosen = *run;  // openReport may replace the list it came from
  workspace_->openReport(chosen);
}

void SidebarModel::openSettings() {
  if (!workspace_->canNavigateToAnotherRun()) return;
  workspace_->screen = Screen::account;
}

void SidebarModel::signIn() { workspace_->connect(Workspace::SavedWork::discard); }

void SidebarModel::retryAccount() {
  if (*workspace_->reconnectRequired) {
    workspace_->connect(Workspace::SavedWork::preserve);
    return;
  }
  tasks_.add(async::spawn(workspace_->refreshAccount()));
}

void SidebarModel::signOut() {
  if (*workspace_->busy) return;
  workspace_->disconnect();
}

void SidebarModel::setShowingAccountMenu(bool shown) {
  if (showingAccountMenu_ == shown) return;
  showingAccountMenu_ = shown;
  changes_.schedule();
}

void SidebarModel::choosePricing() {
  if (paidAccount()) {
    openBilling();  // the menu stays open and shows the request
    return;
  }
  setShowingAccountMenu(false);
  openPublicPage("pricing");
}

void SidebarModel::chooseAbout() {
  setShowingAccountMenu(false);
  openPublicPage("");
}

bool SidebarModel::paidAccount() const {
  return workspace_->account->has_value() && SidebarAccountSummary::from(**workspace_->account).paid;
}

std::string SidebarModel::connectionKey() const {
  return vesk::connectionKey(workspace_->api(), workspace_->hasAccountSession());
}

void SidebarModel::openPublicPage(std::string_view path) {
  const auto client = workspace_->api();
  const auto address = publicPageURL(client ? client->origin : builtInOrigin_, path);
  if (address && openLink_) openLink_(*address);
}

void SidebarModel::openBilling() {
  if (billingLoading_) return;
  const auto client = workspace_->api();
  if (!client) return;
  std::string key = connectionKey();
  if (key.empty()) return;
  billingLoading_ = true;
  billingError_ = std::nullopt;
  changes_.schedule();
  tasks_.add(async::spawn(billingTask(Self(this, life_), *client, std::move(key))));
}

async::Task<void> SidebarModel::billingTask(Self self, DesktopAPI client, std::string key) {
  bool failed = false;
  try {
    const auto portal = co_await client.request<BillingPortal>("billing/portal", JsonObject{}, Auth::bearer);
    // A model that is gone cancelled this task first, so the await above threw; the
    // check stays for safety.
    SidebarModel* model = self.get();
    if (!model) co_return;
    if (model->connectionKey() != key) {
      model->billingEnded(key, false);  // another connection: the reply is dropped
      co_return;
    }
    if (!billingURLAcceptable(portal.url)) throw VeskError("Invalid billing URL.");
    model->showingAccountMenu_ = false;
    if (model->openLink_) model->openLink_(portal.url);
    model->billingEnded(key, false);
  } catch (const async::Cancelled&) {
    co_return;  // the model is going: nothing of it may be touched
  } catch (const std::exception&) {
    failed = true;
  }
  if (!failed) co_return;
  if (SidebarModel* model = self.get()) model->billingEnded(key, true);
}

// A failure is shown only while the connection that asked is still the current one.
void SidebarModel::billingEnded(const std::string& key, bool failed) {
  if (failed && connectionKey() == key) billingError_ = billingFailure;
  billingLoading_ = false;
  changes_.schedule();
}

}  // namespace vesk
