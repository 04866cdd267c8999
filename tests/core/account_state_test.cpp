// Binding the account state to a connection, reloading its settings, and the rules the
// screen reads (which failures leave a write unconfirmed, when Save is allowed).
#include "core/account/account_state.h"
#include "core/async/errors.h"
#include "support/account_harness.h"
#include "support/expect_failure.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;
using Connected = AccountState::Connected;

namespace {

constexpr const char* sessionExpired =
    "Your session expired. Reconnect in the browser; your saved work is still there.";

Reply settingsReply(const std::string& name) {
  auto settings = FakeSettings::settingsJson(FakeSettings::Account{});
  settings["displayName"] = name;
  return Reply::json(settings.dump());
}

// Whether every published field holds its initial value.
bool isReset(const AccountState& state) {
  return !state.snapshot->has_value() && state.displayName->empty() && !state.error->has_value() &&
         !state.feedback->has_value() && state.consentFeedback->empty() &&
         *state.noticeArea == AccountNoticeArea::account && !*state.reconnectRequired && !*state.consentError &&
         !*state.consentUncertain && !*state.profileUncertain && !*state.deletionUncertain && !state.busy();
}

}  // namespace

TEST(AccountBinding, LoadsOnceForAConnectionAndAgainOnlyWithoutSettings) {
  AccountHarness h;
  h.run(h.state->bind(h.api(), Connected::yes));
  h.run(h.state->bind(h.api(), Connected::yes));
  const auto reads = h.service.requestsTo("GET", "/api/desktop/settings");
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0].header("Authorization"), "Bearer token-1");
  EXPECT_EQ(h.state->displayName.get(), "Ada Lovelace");
  EXPECT_EQ((*h.state->snapshot)->email, "ada@example.com");
  EXPECT_FALSE(h.state->loading.get());

  // A failed first load leaves no settings, so binding the same connection loads again.
  AccountHarness failing;
  failing.service.replies("GET", "/api/desktop/settings",
                          {Reply::error(500, "Try later."), Reply::json(failing.settings.settingsJson().dump())});
  failing.run(failing.state->bind(failing.api(), Connected::yes));
  EXPECT_FALSE(failing.state->snapshot->has_value());
  EXPECT_EQ(failing.state->error.get(), "Try later.");
  failing.run(failing.state->bind(failing.api(), Connected::yes));
  EXPECT_EQ(failing.requestsTo("GET", "settings"), 2u);
  EXPECT_TRUE(failing.state->snapshot->has_value());
  EXPECT_FALSE(failing.state->error->has_value());
}

TEST(AccountBinding, NoConnectionClearsEverythingAtOnceAndSendsNothing) {
  AccountHarness h;
  h.bindAndLoad();
  h.state->noticeArea = AccountNoticeArea::profile;
  h.state->feedback = std::string("Saved.");

  // The binding is done by the call itself, before its task runs.
  auto binding = h.state->bind(h.api(), Connected::no);
  EXPECT_TRUE(isReset(*h.state));
  EXPECT_TRUE(h.state->activeKey().empty());
  h.run(std::move(binding));

  h.bindAndLoad();
  h.run(h.state->bind(DesktopAPI{h.service.origin(), std::nullopt}, Connected::yes));
  EXPECT_TRUE(isReset(*h.state));
  h.run(h.state->bind(std::nullopt, Connected::yes));
  EXPECT_TRUE(isReset(*h.state));
  EXPECT_TRUE(h.service.requests().empty());
  // Bound to nothing, every operation refuses quietly.
  h.run(h.state->reload(h.api(), AccountNoticeArea::profile));
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::account);
  EXPECT_TRUE(h.service.requests().empty());
}

TEST(AccountBinding, ALoadOfTheOldConnectionWritesNothingAfterANewToken) {
  AccountHarness h;
  Reply held = settingsReply("Old Account");
  held.stall = true;
  h.service.replies("GET", "/api/desktop/settings", {held, settingsReply("New Account")});

  auto first = async::spawn(h.state->bind(h.api("token-1"), Connected::yes));
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  EXPECT_TRUE(h.state->loading.get());

  auto rebinding = h.state->bind(h.api("token-2"), Connected::yes);
  EXPECT_TRUE(isReset(*h.state));
  h.service.releaseStalled();
  waitFor(first);
  EXPECT_TRUE(isReset(*h.state)) << "the old account's reply was applied";

  h.run(std::move(rebinding));
  const auto reads = h.service.requestsTo("GET", "/api/desktop/settings");
  ASSERT_EQ(reads.size(), 2u);
  EXPECT_EQ(reads[1].header("Authorization"), "Bearer token-2");
  EXPECT_EQ(h.state->displayName.get(), "New Account");
}

TEST(AccountReload, A401KeepsTheSettingsAndAsksForReconnectionUntilAReadSucceeds) {
  AccountHarness h;
  h.bindAndLoad();
  h.state->feedback = std::string("Archive saved.");
  h.service.reply("GET", "/api/desktop/settings", Reply::error(401, "Unauthorized"));
  h.run(h.state->reload(h.api(), AccountNoticeArea::account));
  EXPECT_TRUE(h.state->reconnectRequired.get());
  EXPECT_EQ(h.state->error.get(), sessionExpired);
  EXPECT_FALSE(h.state->feedback->has_value()) << "a given area clears the feedback";
  EXPECT_EQ((*h.state->snapshot)->displayName, "Ada Lovelace");
  EXPECT_FALSE(h.state->loading.get());

  // Any other failure leaves the flag as it is; only a good read clears it.
  h.service.reply("GET", "/api/desktop/settings", Reply::json("<html>", 200));
  h.run(h.state->reload(h.api(), std::nullopt));
  EXPECT_TRUE(h.state->reconnectRequired.get());
  EXPECT_EQ(h.state->error.get(), "Vesk returned an unreadable response.");

  const FakeSettings again(h.service, AccountHarness::token);
  h.run(h.state->reload(h.api(), std::nullopt));
  EXPECT_FALSE(h.state->reconnectRequired.get());
  EXPECT_FALSE(h.state->error->has_value());
}

TEST(AccountReload, IsDroppedWhileALoadRunsOrForAnotherConnection) {
  AccountHarness h;
  h.bindAndLoad();
  Reply slow = Reply::json(h.settings.settingsJson().dump());
  slow.stall = true;
  h.service.reply("GET", "/api/desktop/settings", slow);
  auto running = async::spawn(h.state->reload(h.api(), AccountNoticeArea::account));
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));

  h.state->feedback = std::string("Saved.");
  h.run(h.state->reload(h.api(), AccountNoticeArea::profile));
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::account);
  EXPECT_EQ(h.state->feedback.get(), "Saved.");
  h.service.releaseStalled();
  waitFor(running);

  h.run(h.state->reload(h.api("token-2"), AccountNoticeArea::profile));
  h.run(h.state->reload(DesktopAPI{"http://localhost:1", AccountHarness::token}, AccountNoticeArea::profile));
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::account);
  EXPECT_EQ(h.requestsTo("GET", "settings"), 1u);
}

TEST(AccountFailures, OnlyADefiniteRefusalLeavesAWriteKnownUndone) {
  FakeService service;
  const DesktopAPI api{service.origin(), "t"};
  // Whether the failure of a call answered with `reply` leaves its outcome open.
  const auto unconfirmedAfter = [&](const Reply& reply, const char* method) {
    service.reply(method, "/api/desktop/settings", reply);
    try {
      if (std::string(method) == "GET") {
        runTask(api.request<AccountSettingsSnapshot>("settings", std::nullopt, Auth::bearer));
      } else {
        runTask(api.raw("settings", JsonObject{{"displayName", "Ada"}}, method, Auth::bearer));
      }
    } catch (const std::exception& error) {
      return AccountState::unconfirmedFailure(error);
    }
    ADD_FAILURE() << "the call succeeded";
    return false;
  };
  for (int status : {400, 401, 404, 422, 499})
    EXPECT_FALSE(unconfirmedAfter(Reply::error(status, "No."), "PATCH")) << status;
  for (int status : {408, 500, 503}) EXPECT_TRUE(unconfirmedAfter(Reply::error(status, "Hm."), "PATCH")) << status;
  EXPECT_TRUE(unconfirmedAfter(Reply::redirect(302, "/elsewhere"), "PATCH"));
  Reply dropped;
  dropped.drop = true;
  EXPECT_TRUE(unconfirmedAfter(dropped, "PATCH")) << "a dropped connection";
  EXPECT_TRUE(unconfirmedAfter(Reply::json(R"({"displayName":1})"), "GET")) << "an undecodable 200";
}

TEST(AccountProfileRules, SaveIsAllowedForAChangedNameOfAtMostSixtyUnits) {
  AccountHarness h;
  EXPECT_FALSE(h.state->canSaveName()) << "no settings yet";
  h.bindAndLoad();
  const auto allowed = [&](const std::string& name) {
    h.state->displayName = name;
    return h.state->canSaveName();
  };
  std::string sixty;
  for (int i = 0; i < 30; ++i) sixty += "\U0001F600";  // two UTF-16 units each
  EXPECT_TRUE(allowed(sixty));
  EXPECT_FALSE(allowed(sixty + "a"));
  EXPECT_TRUE(allowed("  " + sixty + "\n"));  // measured after trimming
  EXPECT_FALSE(allowed("  Ada Lovelace  "));
  EXPECT_FALSE(allowed("Ada Lovelace"));
  EXPECT_TRUE(allowed("ada lovelace"));
  EXPECT_FALSE(allowed(" \t\n"));

  h.state->displayName = "Grace Hopper";
  Reply slow = Reply::json(h.settings.settingsJson().dump());
  slow.stall = true;
  h.service.reply("GET", "/api/desktop/settings", slow);
  auto loading = async::spawn(h.state->reload(h.api(), std::nullopt));
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  EXPECT_TRUE(h.state->loading.get());
  EXPECT_FALSE(h.state->canSaveName()) << "while loading";
  h.service.releaseStalled();
  waitFor(loading);
  h.state->displayName = "Grace Hopper";
  EXPECT_TRUE(h.state->canSaveName());
  h.state->profileUncertain = true;
  EXPECT_FALSE(h.state->canSaveName());
  h.state->profileUncertain = false;
  h.state->reconnectRequired = true;
  EXPECT_FALSE(h.state->canSaveName());
}

TEST(AccountProfileRules, AnEditClearsOnlyAStaleProfileNotice) {
  AccountHarness h;
  h.bindAndLoad();
  const auto notices = [&] { return std::pair(h.state->error.get(), h.state->feedback.get()); };
  const auto edit = [&](const std::string& name) {
    h.state->error = std::string("E");
    h.state->feedback = std::string("F");
    h.state->displayName = name;
    h.state->profileEdited();
  };
  const std::pair<std::optional<std::string>, std::optional<std::string>> kept{"E", "F"};

  h.state->noticeArea = AccountNoticeArea::archive;
  edit("Grace");
  EXPECT_EQ(notices(), kept) << "another section's notice";

  h.state->noticeArea = AccountNoticeArea::profile;
  edit(" Ada Lovelace ");
  EXPECT_EQ(notices(), kept) << "edited back to the saved name";
  h.state->profileUncertain = true;
  edit("Grace");
  EXPECT_EQ(notices(), kept) << "an unconfirmed write's notice";
  h.state->profileUncertain = false;
  edit("Grace");
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_FALSE(h.state->feedback->has_value());
}
