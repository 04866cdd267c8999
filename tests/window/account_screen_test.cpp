// The account screen in the window, against the fake service: its signed-out and
// signed-in faces, the reconnect panel, and a whole walk through the settings (rename,
// consent, archive, clearing runs by the typed phrase, feedback) with real input.
#include "build_config.h"
#include "support/run_loop.h"
#include "ui/account/account_delete_sheet.h"
#include "ui/account/account_field.h"
#include "ui/account/account_notice.h"
#include "ui/account/account_section.h"
#include "ui/account/account_settings_view.h"
#include "ui/account/account_switch.h"
#include "ui/account/feedback_sheet.h"
#include "ui/app/root_view.h"
#include "ui/app/sheet_layer.h"
#include "ui/sidebar/vesk_sidebar.h"
#include "ui/support/header_probe.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"
#include "window/account_window.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace vesk;
using namespace vesk::testing;
using ui::AccountSettingsView;

namespace {

class AccountScreenTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
  }
};

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

AccountSettingsView& settingsOf(AccountWindow& w) {
  EXPECT_TRUE(w.waitFor([&] { return w.view().settings() && w.view().settings()->get_visible(); }))
      << "the settings never showed";
  return *w.view().settings();
}

}  // namespace

TEST_F(AccountScreenTest, SignedOutItOffersSignInAndWaitsForTheBrowserWithCancel) {
  AccountWindow w(AccountWindow::Start::signedOut);
  w.h.routeSignIn();
  auto* view = &w.showAccount();
  EXPECT_TRUE(view->signInPanel().get_visible());
  EXPECT_FALSE(view->signedInColumn().get_visible());
  EXPECT_EQ(view->signInButton().get_label(), "Sign in");
  EXPECT_FALSE(view->cancelSignInButton().get_visible());
  EXPECT_TRUE(view->feedbackButton().is_drawable()) << "the help section shows signed out too";
  renderAndKeep(w.window(), "account-signed-out.png");

  w.click(view->signInButton());
  ASSERT_TRUE(w.waitFor([&] { return !w.h.launched.empty(); })) << "the browser sign-in never started";
  // Signing in starts a new audit, which shows the composer; back on the account screen
  // the panel waits for the browser.
  view = &w.showAccount();
  EXPECT_EQ(view->signInButton().get_label(), "Waiting for browser\u2026");
  EXPECT_FALSE(view->signInButton().get_sensitive());
  EXPECT_TRUE(view->signInSpinner().get_visible());
  EXPECT_TRUE(view->cancelSignInButton().get_visible());
  renderAndKeep(w.window(), "account-waiting-for-browser.png");
  w.click(view->cancelSignInButton());
  EXPECT_TRUE(w.waitFor([&] { return !*w.workspace().busy; })) << "Cancel signs out";
  EXPECT_FALSE(w.workspace().account->has_value());

  // Feedback while signed out offers sign-in instead of Send.
  view = &w.showAccount();
  w.click(view->feedbackButton());
  auto* sheet = w.topSheet<ui::FeedbackSheet>();
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(sheet->signInLine().get_visible());
  EXPECT_TRUE(sheet->signInButton().get_visible());
  EXPECT_FALSE(sheet->sendButton().get_visible());
  w.press("Escape");
  EXPECT_EQ(w.root().sheets().depth(), 0u);
}

TEST_F(AccountScreenTest, APreviewAccountCountsAsSignedOutAndSendsNothing) {
  AccountWindow w(AccountWindow::Start::signedOut);
  w.workspace().fixture = true;
  w.workspace().account = Account::fromJson(accountJson());
  auto& view = w.showAccount();
  EXPECT_TRUE(view.signInPanel().get_visible());
  runFor(std::chrono::milliseconds(50));
  for (const auto& request : w.h.service.requests()) EXPECT_EQ(request.path.find("settings"), std::string::npos);
}

TEST_F(AccountScreenTest, TheReconnectPanelFollowsEitherStateAndItsButtonKeepsTheWork) {
  AccountWindow w(AccountWindow::Start::signedIn);
  w.h.routeSignIn();
  w.workspace().current = savedRun("r1", "complete");
  auto* view = &w.showAccount();
  settingsOf(w);
  EXPECT_FALSE(view->reconnectPanel().get_visible());
  EXPECT_FALSE(view->loadError().get_visible());

  // The account state meets a 401 on a refresh: the panel shows above the settings,
  // which stay enabled, and the session sentence stands under the footer.
  w.h.service.reply("GET", desktop("settings"), Reply::error(401, "Sign in to continue."));
  w.click(view->refreshButton());
  ASSERT_TRUE(w.waitFor([&] { return view->reconnectPanel().get_visible(); }));
  EXPECT_TRUE(view->settings()->get_visible());
  EXPECT_TRUE(view->settings()->get_sensitive());
  EXPECT_TRUE(view->accountError().get_visible());
  EXPECT_FALSE(view->accountError().get_text().empty());
  EXPECT_FALSE(view->settings()->exportButton().get_sensitive()) << "the sections' own controls follow the state";
  EXPECT_TRUE(view->settings()->pricingButton().get_sensitive());
  renderAndKeep(w.window(), "account-reconnect.png");

  // The workspace's own flag disables the sections as a whole.
  w.workspace().reconnectRequired = true;
  w.settle();
  EXPECT_FALSE(view->settings()->get_sensitive());

  // Reconnecting keeps the open run (a fresh sign-in would drop it) and waits for the
  // browser on the sign-in panel.
  w.click(view->reconnectButton());
  ASSERT_TRUE(w.waitFor([&] { return !w.h.launched.empty(); }));
  EXPECT_TRUE(w.workspace().current->has_value()) << "the saved work stays";
  view = &w.showAccount();
  EXPECT_TRUE(view->signInPanel().get_visible());
  EXPECT_EQ(view->signInButton().get_label(), "Waiting for browser\u2026");
  EXPECT_TRUE(view->cancelSignInButton().get_visible());
}

TEST_F(AccountScreenTest, AWalkThroughTheSettings) {
  AccountWindow w(AccountWindow::Start::signedIn);
  w.h.dialog->answer = w.h.folder + "/Vesk audits.zip";
  auto& view = w.showAccount();
  auto& settings = settingsOf(w);
  ASSERT_NE(settings.runsSection(), nullptr);
  EXPECT_EQ(settings.runsSection()->headline().get_text(), "7 runs available.");
  EXPECT_EQ(settings.nameField().text(), "Ada Lovelace");
  EXPECT_EQ(settings.emailLine().get_text(), "ada@example.com");
  EXPECT_EQ(settings.consentStatus().get_text(), "Off");
  EXPECT_FALSE(view.loadingPanel().get_visible());
  EXPECT_EQ(view.refreshButton().get_label(), "Refresh account");
  renderAndKeep(w.window(), "account-signed-in.png");

  // Rename the profile.
  w.click(settings.nameField().entry());
  w.pressChord({"Control_L", "a"});
  w.type(settings.nameField().entry(), "grace hopper");
  EXPECT_TRUE(settings.saveButton().get_sensitive());
  w.click(settings.saveButton());
  ASSERT_TRUE(w.waitFor([&] { return w.settings.account().displayName == "grace hopper"; }));
  ASSERT_TRUE(w.waitFor([&] { return settings.profileNotice().feedbackLabel().get_visible(); }));
  EXPECT_EQ(settings.profileNotice().feedbackLabel().get_text(), "Saved.");
  EXPECT_FALSE(settings.deletionNotice().get_visible()) << "a notice shows only in its own section";
  EXPECT_FALSE(settings.archiveNotice().get_visible());

  // The name stops at 60 UTF-16 units, also when pasted.
  settings.nameField().entry().set_text(std::string(70, 'n'));
  w.settle();
  EXPECT_EQ(settings.nameField().text().raw(), std::string(60, 'n'));

  // Switch the improvement choice by a click beside the drawn track, inside the hit area.
  w.clickAt(settings.consentSwitch(), 2, 2);
  ASSERT_TRUE(w.waitFor([&] { return w.settings.account().consent == true; }));
  ASSERT_TRUE(w.waitFor([&] { return settings.consentStatus().get_text() == "On"; }));
  EXPECT_TRUE(settings.consentSwitch().on());

  // Download the archive into the test's folder.
  w.click(settings.exportButton());
  ASSERT_TRUE(w.waitFor([&] { return settings.archiveNotice().feedbackLabel().get_visible(); }));
  EXPECT_EQ(settings.archiveNotice().feedbackLabel().get_text(), "Archive saved.");
  EXPECT_EQ(readFile(*w.h.dialog->answer), FakeSettings::emptyZip());

  // Clear the runs through the typed phrase.
  w.workspace().current = savedRun("r1", "complete");
  w.click(settings.clearRunsButton());
  auto* sheet = w.topSheet<ui::AccountDeleteSheet>();
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(sheet->field().focused()) << "the phrase field takes the focus";
  EXPECT_FALSE(sheet->confirmButton().get_sensitive());
  w.type(sheet->field().entry(), "  clear run");
  EXPECT_FALSE(sheet->confirmButton().get_sensitive());
  w.type(sheet->field().entry(), "s ");
  // On a loaded machine the last keys may still be on their way.
  EXPECT_TRUE(w.waitFor([&] { return sheet->confirmButton().get_sensitive(); }))
      << "trimmed; the field holds \"" << sheet->field().text().raw() << "\"";
  renderAndKeep(w.window(), "account-delete-sheet.png");
  w.click(sheet->confirmButton());
  ASSERT_TRUE(w.waitFor([&] { return w.root().sheets().depth() == 0; })) << "a confirmed deletion closes the sheet";
  ASSERT_TRUE(w.waitFor([&] { return settings.deletionNotice().feedbackLabel().get_visible(); }));
  EXPECT_EQ(settings.deletionNotice().feedbackLabel().get_text(), "Cleared 3 runs.");
  EXPECT_FALSE(settings.profileNotice().get_visible());
  ASSERT_TRUE(w.waitFor([&] { return !w.workspace().current->has_value(); }));
  EXPECT_EQ(*w.workspace().screen, Screen::account) << "clearing runs stays here";
  renderAndKeep(settings.dangerSection(), "account-danger-zone.png");

  // Pricing opens under the service origin.
  w.click(settings.pricingButton());
  ASSERT_FALSE(w.opened().empty());
  EXPECT_EQ(w.opened().back(), w.h.service.origin() + "/pricing?from=settings");

  // Send feedback.
  w.click(view.feedbackButton());
  auto* feedback = w.topSheet<ui::FeedbackSheet>();
  ASSERT_NE(feedback, nullptr);
  EXPECT_TRUE(feedback->note().has_focus());
  w.type(feedback->note(), "ab");
  EXPECT_FALSE(feedback->sendButton().get_sensitive());
  w.type(feedback->note(), "c export works");
  EXPECT_TRUE(feedback->sendButton().get_sensitive());
  renderAndKeep(w.window(), "feedback-sheet.png");
  w.click(feedback->sendButton());
  ASSERT_TRUE(w.waitFor([&] { return feedback->doneButton().get_visible(); }));
  ASSERT_EQ(w.settings.account().feedback.size(), 1u);
  EXPECT_EQ(w.settings.account().feedback[0].body, "abc export works");
  EXPECT_EQ(w.settings.account().feedback[0].fromPath, "/linux/account");
  renderAndKeep(w.window(), "feedback-sheet-sent.png");
  w.press("Escape");
  EXPECT_EQ(w.root().sheets().depth(), 0u);
}

TEST_F(AccountScreenTest, NothingClosesTheDeleteSheetWhileItWorksAndAWorkspaceDeletionGoesHome) {
  AccountWindow w(AccountWindow::Start::signedIn);
  w.showAccount();
  auto& settings = settingsOf(w);
  w.workspace().current = savedRun("r1", "complete");
  Reply stalled = Reply::json(R"({"ok":true})");
  stalled.stall = true;
  w.h.service.reply("DELETE", desktop("settings/workspace"), stalled);
  w.click(settings.deleteWorkspaceButton());
  auto* sheet = w.topSheet<ui::AccountDeleteSheet>();
  ASSERT_NE(sheet, nullptr);
  w.type(sheet->field().entry(), "clear runs");
  EXPECT_FALSE(sheet->confirmButton().get_sensitive()) << "the other deletion's phrase";
  sheet->field().entry().set_text("  Delete EVERYTHING ");
  w.settle();
  ASSERT_TRUE(sheet->confirmButton().get_sensitive()) << "trimmed, in any case";
  w.click(sheet->confirmButton());
  ASSERT_TRUE(w.waitFor([&] { return sheet->confirmButton().get_label() == "Working\u2026"; }));
  EXPECT_FALSE(sheet->confirmButton().get_sensitive());
  EXPECT_FALSE(sheet->cancelButton().get_sensitive());
  EXPECT_FALSE(sheet->field().enabled());
  w.press("Escape");
  EXPECT_EQ(w.root().sheets().depth(), 1u) << "Escape does nothing while deleting";
  w.h.service.releaseStalled();
  ASSERT_TRUE(w.waitFor([&] { return *w.workspace().screen == Screen::home; }));
  EXPECT_EQ(w.root().sheets().depth(), 0u);
  EXPECT_FALSE(w.workspace().current->has_value());
}

// A confirmed deletion is followed up though its screen went away while the service was
// answering: the account, the run library and the projects are read again, the open run
// closes, and a workspace deletion goes home.
TEST_F(AccountScreenTest, ADeletionConfirmedAfterTheScreenWentAwayIsStillFollowedUp) {
  AccountWindow w(AccountWindow::Start::signedIn);
  auto* sidebar = dynamic_cast<ui::VeskSidebar*>(w.root().sidebarSlot().get_first_child());
  ASSERT_NE(sidebar, nullptr);
  const auto deleteThenLeave = [&](AccountDeletion deletion, const std::string& phrase,
                                   const std::vector<std::string>& leave, Screen left) {
    w.showAccount();
    auto& settings = settingsOf(w);
    w.workspace().current = savedRun("r1", "complete");
    Reply held = Reply::json(deletion == AccountDeletion::runs ? R"({"ok":true,"deletedRuns":5})" : R"({"ok":true})");
    held.stall = true;
    w.h.service.reply("DELETE", desktop("settings/" + std::string(rawValue(deletion))), held);
    w.click(deletion == AccountDeletion::runs ? settings.clearRunsButton() : settings.deleteWorkspaceButton());
    auto* sheet = w.topSheet<ui::AccountDeleteSheet>();
    ASSERT_NE(sheet, nullptr);
    w.type(sheet->field().entry(), phrase);
    ASSERT_TRUE(w.waitFor([&] { return sheet->confirmButton().get_sensitive(); }));
    w.click(sheet->confirmButton());
    ASSERT_TRUE(w.waitFor([&] { return w.h.service.stalledCount() == 1; }));

    w.pressChord(leave);
    ASSERT_TRUE(w.waitFor([&] { return *w.workspace().screen == left; })) << "the screen was left";
    EXPECT_EQ(w.root().sheets().depth(), 0u);
    w.h.service.clearRequests();
    w.h.service.releaseStalled();
    EXPECT_TRUE(w.waitFor([&] {
      return !w.h.service.requestsTo("GET", desktop("me")).empty() &&
             !w.h.service.requestsTo("GET", desktop("library")).empty() &&
             !w.h.service.requestsTo("GET", desktop("projects")).empty();
    })) << "the account, the run library and the projects are read again";
    EXPECT_TRUE(w.waitFor([&] { return !w.workspace().current->has_value(); })) << "the open run closes";
  };

  std::vector<LibraryProject> projects;
  for (int i = 1; i <= 5; ++i) projects.emplace_back("p" + std::to_string(i), "Project " + std::to_string(i));
  w.workspace().sidebarProjects = projects;
  w.workspace().reports = std::vector<SavedAudit>{savedRun("r1", "complete"), savedRun("r2", "complete")};
  ASSERT_TRUE(w.waitFor([&] { return sidebar->rows().size() == 5; }));

  // Clearing the runs: the service's empty library replaces the saved-run list.
  // Left for the library, which keeps the open run until the follow-up closes it.
  deleteThenLeave(AccountDeletion::runs, "clear runs", {"Shift_L", "Control_L", "h"}, Screen::library);
  EXPECT_TRUE(w.waitFor([&] { return w.workspace().reports->empty(); }));
  EXPECT_EQ(*w.workspace().screen, Screen::library) << "clearing the runs stays where the user went";

  // Deleting the workspace: no project is listed any more, and the window goes home.
  w.workspace().reports = std::vector<SavedAudit>{savedRun("r1", "complete")};
  w.workspace().sidebarProjects = projects;
  ASSERT_TRUE(w.waitFor([&] { return sidebar->rows().size() == 5; }));
  deleteThenLeave(AccountDeletion::workspace, "delete everything", {"Control_L", "n"}, Screen::input);
  EXPECT_TRUE(w.waitFor([&] { return sidebar->rows().empty(); })) << "the sidebar empties";
  EXPECT_TRUE(w.waitFor([&] { return *w.workspace().screen == Screen::home; }));
}

TEST_F(AccountScreenTest, AFailedSendOffersTheSupportAddressAsAMailLink) {
  AccountWindow w(AccountWindow::Start::signedIn);
  auto& view = w.showAccount();
  settingsOf(w);
  w.h.service.reply("POST", desktop("feedback"), Reply::error(401, "Sign in to continue."));
  w.click(view.feedbackButton());
  auto* sheet = w.topSheet<ui::FeedbackSheet>();
  ASSERT_NE(sheet, nullptr);
  w.type(sheet->note(), "the sheet hides");
  w.click(sheet->sendButton());
  auto& sentence = sheet->errorLabel();
  ASSERT_TRUE(w.waitFor([&] { return sentence.is_drawable(); }));
  const std::string address = build::supportAddress;
  EXPECT_EQ(std::string(sentence.get_text()), "Couldn\u2019t send. Try again, or email " + address);
  EXPECT_FALSE(*w.workspace().reconnectRequired) << "a 401 leaves the workspace untouched";
  renderAndKeep(w.window(), "feedback-sheet-failed.png");
  // One sentence, wrapping only at the sheet's content width, the address a link in it.
  EXPECT_EQ(sheet->get_width(), ui::FeedbackSheet::width);
  EXPECT_EQ(sentence.get_width(), ui::FeedbackSheet::width);
  EXPECT_EQ(sentence.get_layout()->get_line_count(), 1) << "the sentence and its address fit on one line";
  const std::string text = sentence.get_text();
  const auto at = sentence.get_layout()->index_to_pos(static_cast<int>(text.find(address)));
  w.clickAt(sentence, at.get_x() / PANGO_SCALE + 12, sentence.get_height() / 2.0);
  ASSERT_FALSE(w.opened().empty()) << "a click on the address opens the mail program";
  EXPECT_EQ(w.opened().back(), "mailto:" + address);
  w.click(sheet->note());
  w.type(sheet->note(), "s");
  EXPECT_FALSE(sentence.is_drawable()) << "an edit clears the failure";
}

TEST_F(AccountScreenTest, ScrolledUnderTheHeaderThePageCannotBeRead) {
  AccountWindow w(AccountWindow::Start::signedIn);
  auto& view = w.showAccount();
  settingsOf(w);
  auto& root = w.root();
  const Box area = headerArea(root);
  EXPECT_EQ(area.height, 100) << "the header row ends 100 below the window's top edge";
  ASSERT_FALSE(labelOverlaps(view, root, area)) << "at rest the page starts below the header";
  const Pixels rest = render(root);

  // The wheel over the page takes its text up under the header row.
  const auto adjustment = view.scroller().get_vadjustment();
  SyntheticInput::scroll(view, view.get_width() / 2.0, view.get_height() * 0.6, 3);
  ASSERT_TRUE(w.waitFor([&] { return adjustment->get_value() > 120; })) << adjustment->get_value();
  ASSERT_TRUE(labelOverlaps(view, root, area)) << "the page's text lies under the header row";
  const Pixels scrolled = renderAndKeep(root, "account-scrolled.png");
  const Box below{area.x, area.height + 120, area.width, 300};
  EXPECT_GT(compare(scrolled, rest, below).count, 0) << "the frame shows the page scrolled";

  // The area holds what it held at rest: the header over the canvas.
  const auto leak = compare(scrolled, rest, area);
  EXPECT_EQ(leak.count, 0) << leak.describe();
  const auto band = compare(scrolled, canvasOnly(root), area, headerItems(root, 16));
  EXPECT_EQ(band.count, 0) << "around the header's items the area is the canvas itself: " << band.describe();
}
