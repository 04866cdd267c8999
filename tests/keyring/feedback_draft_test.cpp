// The feedback note against the fake service with a signed-in workspace: what is sent,
// when Send is allowed, what a failure says, and that a reply for a connection that is
// no longer current changes nothing but the sending flag.
#include "core/account/feedback_draft.h"
#include "core/account/account_change.h"
#include "core/text/text_rules.h"
#include "fake_service/fake_settings.h"
#include "support/workspace_harness.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace vesk;
using namespace vesk::testing;

namespace {

constexpr const char* support = "help@example.com";
constexpr const char* feedbackPath = "/api/desktop/feedback";

}  // namespace

TEST(FeedbackDraft, SendsTheTrimmedNoteWithItsScreenAndThanks) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  FakeSettings settings(h.service, "token-1");
  workspace->screen = Screen::account;
  FeedbackDraft draft(workspace, support);
  ASSERT_TRUE(draft.connected());

  draft.edit("  ab \n");
  EXPECT_FALSE(draft.canSend()) << "two units after trimming";
  draft.edit(" \n\t ");
  EXPECT_FALSE(draft.canSend());
  draft.edit("\n  The export button hides.  \n");
  EXPECT_TRUE(draft.canSend());
  draft.edit("abc");
  EXPECT_TRUE(draft.canSend()) << "three units";

  draft.edit("\n  The export button hides.  \n");
  draft.submit();
  EXPECT_TRUE(*draft.sending);
  EXPECT_FALSE(draft.canSend());
  draft.submit();  // a second press while sending sends nothing
  ASSERT_TRUE(runUntil([&] { return !*draft.sending; }));
  ASSERT_EQ(settings.account().feedback.size(), 1u);
  EXPECT_EQ(settings.account().feedback[0].body, "The export button hides.");
  EXPECT_EQ(settings.account().feedback[0].fromPath, "/linux/account");
  const auto& request = h.service.requests().back();
  EXPECT_EQ(request.method, "POST");
  EXPECT_EQ(nlohmann::json::parse(request.body),
            (nlohmann::json{{"body", "The export button hides."}, {"fromPath", "/linux/account"}}));
  EXPECT_TRUE(*draft.sent);
  EXPECT_TRUE(draft.text->empty());
  EXPECT_FALSE(draft.error->has_value());

  EXPECT_EQ(FeedbackDraft::body(" x ", Screen::report), (JsonObject{{"body", "x"}, {"fromPath", "/linux/report"}}));
  EXPECT_EQ(FeedbackDraft::body("x", Screen::discovery).at("fromPath"), "/linux/discovery");
}

TEST(FeedbackDraft, TheNoteIsCutToFourThousandUnitsOfWholeCharacters) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  FeedbackDraft draft(workspace, support);
  const std::string full(4000, 'a');
  draft.edit(full);
  EXPECT_EQ(*draft.text, full);
  EXPECT_TRUE(draft.canSend()) << "exactly 4000 units can be sent";
  draft.edit(full + "b");
  EXPECT_EQ(*draft.text, full) << "one more is undone at once";
  const std::string almost(3999, 'a');
  draft.edit(almost + "\U0001F600");
  EXPECT_EQ(*draft.text, almost) << "a two-unit character that would cross the budget is dropped whole";
  // The budget counts the untrimmed note; the body carries it trimmed.
  draft.edit("   " + std::string(3997, 'a'));
  EXPECT_EQ(utf16Length(*draft.text), 4000);
}

TEST(FeedbackDraft, AFailureNamesTheSupportAddressAndLeavesTheWorkspaceAlone) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  FeedbackDraft draft(workspace, support);
  for (const int status : {500, 401, 404}) {
    h.service.reply("POST", feedbackPath, Reply::error(status, "Nope."));
    draft.edit("Something broke.");
    EXPECT_FALSE(draft.error->has_value()) << "an edit clears the error";
    draft.submit();
    ASSERT_TRUE(runUntil([&] { return !*draft.sending; }));
    EXPECT_EQ(draft.error.get(), "Couldn\u2019t send. Try again, or email help@example.com.") << status;
    EXPECT_EQ(draft.errorSentence(), "Couldn\u2019t send. Try again, or email ");
    EXPECT_EQ(*draft.text, "Something broke.") << "the note stays";
    EXPECT_FALSE(*draft.sent);
    EXPECT_FALSE(*workspace->reconnectRequired) << "a 401 here does not mark the session";
    EXPECT_TRUE(workspace->account->has_value());
    EXPECT_TRUE(draft.connected());
  }
}

TEST(FeedbackDraft, AReplyForAnotherConnectionOnlyEndsTheSending) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  FakeSettings settings(h.service, "token-1");
  Reply stalled = Reply::json(R"({"ok":true})");
  stalled.stall = true;
  h.service.reply("POST", feedbackPath, stalled);
  FeedbackDraft draft(workspace, support);
  draft.edit("Keep this note.");
  draft.submit();
  ASSERT_TRUE(runUntil([&] { return !h.service.requests().empty(); }));
  workspace->disconnect();
  h.service.releaseStalled();
  ASSERT_TRUE(runUntil([&] { return !*draft.sending; }));
  EXPECT_FALSE(*draft.sent);
  EXPECT_FALSE(draft.error->has_value());
  EXPECT_EQ(*draft.text, "Keep this note.");
  EXPECT_FALSE(draft.connected());
}

TEST(FeedbackDraft, OnlyARealSignedInAccountCanSendAndSignInKeepsWorkOnlyToReconnect) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  EXPECT_EQ(FeedbackDraft::signInSavedWork(*workspace), Workspace::SavedWork::discard);
  workspace->reconnectRequired = true;
  FeedbackDraft draft(workspace, support);
  EXPECT_FALSE(draft.connected());
  EXPECT_EQ(FeedbackDraft::signInSavedWork(*workspace), Workspace::SavedWork::preserve)
      << "an expired session of a loaded account keeps the unsent work";
  draft.edit("Never sent.");
  draft.submit();
  EXPECT_FALSE(*draft.sending);
  workspace->reconnectRequired = false;
  workspace->fixture = true;
  EXPECT_FALSE(draft.connected());
  EXPECT_EQ(FeedbackDraft::signInSavedWork(*workspace), Workspace::SavedWork::discard) << "a preview account";
  workspace->fixture = false;
  workspace->disconnect();
  EXPECT_FALSE(draft.connected());
  EXPECT_EQ(FeedbackDraft::signInSavedWork(*workspace), Workspace::SavedWork::discard);
  runFor(std::chrono::milliseconds(20));
  for (const auto& request : h.service.requests()) EXPECT_NE(request.path, feedbackPath);
}

TEST(AccountChange, AConfirmedDeletionClosesTheRunAndAWorkspaceDeletionGoesHome) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  FakeSettings settings(h.service, "token-1");
  auto state = AccountState::create();
  runTask(state->bind(workspace->api(), AccountState::Connected::yes));
  ASSERT_TRUE(state->snapshot->has_value());

  workspace->screen = Screen::account;
  workspace->current = savedRun("r1", "complete");
  runTask(followAccountChange(workspace, state, std::nullopt));
  EXPECT_TRUE(workspace->current->has_value()) << "a saved name closes nothing";

  ASSERT_TRUE(runTask(state->deleteData(AccountDeletion::runs, workspace->api())));
  runTask(followAccountChange(workspace, state, AccountDeletion::runs));
  EXPECT_FALSE(workspace->current->has_value());
  EXPECT_EQ(*workspace->screen, Screen::account) << "clearing runs stays on the account screen";
  EXPECT_EQ(*state->noticeArea, AccountNoticeArea::deletion);
  EXPECT_EQ(state->feedback.get(), "Cleared 3 runs.") << "the reload keeps the deletion's notice";

  workspace->current = savedRun("r2", "complete");
  ASSERT_TRUE(runTask(state->deleteData(AccountDeletion::workspace, workspace->api())));
  runTask(followAccountChange(workspace, state, AccountDeletion::workspace));
  EXPECT_FALSE(workspace->current->has_value());
  EXPECT_EQ(*workspace->screen, Screen::home);
  EXPECT_TRUE(state->snapshot->has_value()) << "the settings were read again";
}
