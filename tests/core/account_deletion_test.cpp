// Clearing the saved runs and deleting the workspace: the request, the guards and each
// outcome the service's reply can lead to.
#include "core/account/account_state.h"
#include "support/account_harness.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

constexpr const char* runsPath = "/api/desktop/settings/runs";
constexpr const char* unconfirmed =
    "Could not confirm the deletion. Refresh your account and saved work before repeating it. ";

}  // namespace

TEST(AccountDeletion, ClearingRunsSaysHowManyWentAndKeepsTheSettings) {
  AccountHarness h;
  h.bindAndLoad();
  h.state->consentFeedback = std::string("Choice saved.");
  const struct {
    const char* reply;
    const char* sentence;
  } cases[] = {
      {R"({"ok":true,"deletedRuns":0})", "Nothing to clear — your history was already empty."},
      {R"({"ok":true,"deletedRuns":1})", "Cleared 1 run."},
      {R"({"ok":true,"deletedRuns":3})", "Cleared 3 runs."},
      {R"({"ok":true})", "Runs cleared."},
      {R"({"ok":true,"deletedRuns":null})", "Runs cleared."},
  };
  for (const auto& c : cases) {
    h.service.reply("DELETE", runsPath, Reply::json(c.reply));
    EXPECT_TRUE(h.run(h.state->deleteData(AccountDeletion::runs, h.api()))) << c.reply;
    EXPECT_EQ(h.state->feedback.get(), c.sentence);
    EXPECT_FALSE(h.state->error->has_value());
  }
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::deletion);
  EXPECT_FALSE(h.state->deleting.get());
  EXPECT_TRUE(h.state->snapshot->has_value());
  EXPECT_EQ(h.state->displayName.get(), "Ada Lovelace");
  EXPECT_EQ(h.state->consentFeedback.get(), "Choice saved.");
  const auto requests = h.service.requestsTo("DELETE", runsPath);
  ASSERT_EQ(requests.size(), 5u);
  EXPECT_TRUE(requests[0].body.empty());
  EXPECT_EQ(requests[0].header("Authorization"), "Bearer token-1");
}

TEST(AccountDeletion, DeletingTheWorkspaceEmptiesTheHeldSettings) {
  AccountHarness h;
  h.bindAndLoad();
  h.state->consentFeedback = std::string("Choice saved.");
  EXPECT_TRUE(h.run(h.state->deleteData(AccountDeletion::workspace, h.api())));
  EXPECT_EQ(h.requestsTo("DELETE", "settings/workspace"), 1u);
  EXPECT_EQ(h.state->feedback.get(), "Workspace deleted. Your sign-in account stays.");
  EXPECT_FALSE(h.state->snapshot->has_value());
  EXPECT_TRUE(h.state->displayName->empty());
  EXPECT_TRUE(h.state->consentFeedback->empty());
  EXPECT_FALSE(h.state->deleting.get());
}

TEST(AccountDeletion, AReplyWithOkFalseReturnsFalseWithoutAMessage) {
  AccountHarness h;
  h.bindAndLoad();
  h.service.reply("DELETE", runsPath, Reply::json(R"({"ok":false,"deletedRuns":2})"));
  EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::runs, h.api())));
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_FALSE(h.state->feedback->has_value());
  EXPECT_FALSE(h.state->deletionUncertain.get());
  EXPECT_FALSE(h.state->deleting.get());
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::deletion);
  EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::runs, h.api())));
  EXPECT_EQ(h.requestsTo("DELETE", "settings/runs"), 2u) << "the user may press again";
}

TEST(AccountDeletion, AnUnconfirmedDeletionIsBlockedUntilTheSettingsReloadWell) {
  AccountHarness h;
  h.bindAndLoad();
  const struct {
    Reply reply;
    const char* description;
  } cases[] = {
      {Reply::error(503, "The service is busy."), "The service is busy."},
      {Reply::error(408, "Too slow."), "Too slow."},
      {Reply::json(R"({"deletedRuns":2})"), "Vesk returned an unreadable response."},
      {Reply::json("Deleted!"), "Vesk returned an unreadable response."},
  };
  for (const auto& c : cases) {
    h.service.reply("DELETE", runsPath, c.reply);
    EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::runs, h.api())));
    EXPECT_EQ(h.state->error.get(), std::string(unconfirmed) + c.description);
    EXPECT_TRUE(h.state->deletionUncertain.get());
    EXPECT_FALSE(h.state->deleting.get());

    h.service.clearRequests();
    h.state->noticeArea = AccountNoticeArea::archive;
    EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::workspace, h.api())));
    EXPECT_TRUE(h.service.requests().empty()) << "an unconfirmed deletion is never sent again blindly";
    EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::archive) << "a refused deletion changes nothing";

    h.run(h.state->reload(h.api(), std::nullopt));
    EXPECT_FALSE(h.state->deletionUncertain.get());
  }
}

TEST(AccountDeletion, ADefiniteRefusalShowsOnlyItsDescription) {
  AccountHarness h;
  h.bindAndLoad();
  for (int status : {403, 404, 409}) {
    h.service.reply("DELETE", runsPath, Reply::error(status, "Not on your plan."));
    EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::runs, h.api())));
    EXPECT_EQ(h.state->error.get(), "Not on your plan.") << status;
    EXPECT_FALSE(h.state->deletionUncertain.get());
  }
  h.service.reply("DELETE", runsPath, Reply::error(401, "Unauthorized"));
  EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::runs, h.api())));
  EXPECT_EQ(h.state->error.get(), "Your session expired. Reconnect in the browser; your saved work is still there.");
  EXPECT_TRUE(h.state->reconnectRequired.get());
  EXPECT_FALSE(h.state->deletionUncertain.get());
  h.service.clearRequests();
  EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::runs, h.api())));
  EXPECT_TRUE(h.service.requests().empty()) << "refused until the connection is renewed";
}

TEST(AccountDeletion, TheNoticeAreaMovesBeforeTheClientIsChecked) {
  AccountHarness h;
  h.bindAndLoad();
  h.state->error = std::string("Earlier.");
  h.state->feedback = std::string("Saved.");
  EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::runs, std::nullopt)));
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::deletion);
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_FALSE(h.state->feedback->has_value());
  h.state->noticeArea = AccountNoticeArea::account;
  EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::runs, h.api("token-2"))));
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::deletion);
  EXPECT_TRUE(h.service.requests().empty());
}

TEST(AccountDeletion, AResultForAnEarlierConnectionIsDropped) {
  AccountHarness h;
  h.bindAndLoad();
  Reply held = Reply::json(R"({"ok":true,"deletedRuns":4})");
  held.stall = true;
  h.service.reply("DELETE", runsPath, held);
  auto deleting = async::spawn(h.state->deleteData(AccountDeletion::runs, h.api()));
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  EXPECT_TRUE(h.state->deleting.get());
  EXPECT_FALSE(h.run(h.state->deleteData(AccountDeletion::runs, h.api()))) << "one deletion at a time";
  auto rebinding = h.state->bind(h.api("token-2"), AccountState::Connected::yes);
  h.service.releaseStalled();
  waitFor(deleting);
  EXPECT_FALSE(deleting.result());
  EXPECT_FALSE(h.state->feedback->has_value());
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::account);
  EXPECT_EQ(h.requestsTo("DELETE", "settings/runs"), 1u);
}
