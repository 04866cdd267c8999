// Saving the profile name: what is sent, and each way the write and its read-back end.
#include "core/account/account_state.h"
#include "core/async/timing.h"
#include "support/account_harness.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

constexpr const char* profileUnconfirmed = "Could not confirm your saved profile. Check it before changing it again.";

// The names sent with PATCH "settings", in order.
std::vector<std::string> sentNames(const FakeService& service) {
  std::vector<std::string> names;
  for (const auto& request : service.requestsTo("PATCH", "/api/desktop/settings")) {
    const auto body = nlohmann::json::parse(request.body);
    EXPECT_EQ(body.size(), 1u) << request.body;
    EXPECT_EQ(request.header("Authorization"), "Bearer token-1");
    names.push_back(body.at("displayName").get<std::string>());
  }
  return names;
}

}  // namespace

TEST(AccountSaveName, SendsTheWordsJoinedBySingleSpacesAndConfirmsThemByReading) {
  AccountHarness h;
  h.bindAndLoad();
  h.state->displayName = "  Grace   Hopper ";
  EXPECT_TRUE(h.run(h.state->saveName(h.api())));
  h.state->displayName = "Grace\tMurray\r\nHopper";
  EXPECT_TRUE(h.run(h.state->saveName(h.api())));
  EXPECT_EQ(sentNames(h.service), (std::vector<std::string>{"Grace Hopper", "Grace Murray Hopper"}));
  EXPECT_EQ(h.requestsTo("GET", "settings"), 2u) << "each write is read back";
  EXPECT_EQ(h.state->feedback.get(), "Saved.");
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::profile);
  EXPECT_EQ(h.state->displayName.get(), "Grace Murray Hopper");
  EXPECT_EQ((*h.state->snapshot)->displayName, "Grace Murray Hopper");
  EXPECT_FALSE(h.state->savingName.get());
  EXPECT_FALSE(h.state->canSaveName()) << "nothing left to save";
}

TEST(AccountSaveName, AReadBackThatDiffersShowsTheServicesNameAndSaysSo) {
  AccountHarness h;
  h.bindAndLoad();
  h.settings.account().storedName = [](const std::string& name) { return name.substr(0, 5); };
  h.state->displayName = "Grace Hopper";
  EXPECT_FALSE(h.run(h.state->saveName(h.api())));
  EXPECT_EQ(h.state->error.get(), "Your change was not saved. Please try again.");
  EXPECT_FALSE(h.state->feedback->has_value());
  EXPECT_EQ(h.state->displayName.get(), "Grace");
  EXPECT_EQ((*h.state->snapshot)->displayName, "Grace");
  EXPECT_FALSE(h.state->profileUncertain.get());
  EXPECT_FALSE(h.state->savingName.get());
}

TEST(AccountSaveName, AnUnconfirmedWriteBlocksSavingUntilAReadSucceeds) {
  AccountHarness h;
  h.bindAndLoad();
  Reply quiet = Reply::json(R"({"ok":true})");
  quiet.stall = true;
  for (const Reply& failure : {Reply::error(503, "Busy."), Reply::error(408, "Slow."), quiet}) {
    h.service.reply("PATCH", "/api/desktop/settings", failure);
    h.state->displayName = "Grace Hopper";
    {
      const async::ScopedTimeScale fast(0.0005);  // a write's 840 s -> 420 ms, for the silent one
      EXPECT_FALSE(h.run(h.state->saveName(h.api())));
    }
    EXPECT_TRUE(h.state->profileUncertain.get());
    EXPECT_EQ(h.state->error.get(), profileUnconfirmed);
    EXPECT_FALSE(h.state->savingName.get());
    EXPECT_FALSE(h.state->canSaveName());
    EXPECT_FALSE(h.run(h.state->saveName(h.api())));
    EXPECT_EQ(h.requestsTo("PATCH", "settings"), 1u) << "an unconfirmed write is never sent again blindly";

    h.run(h.state->reload(h.api(), std::nullopt));
    EXPECT_FALSE(h.state->profileUncertain.get());
    h.service.releaseStalled();
    h.service.clearRequests();
  }
}

TEST(AccountSaveName, ADefiniteRefusalShowsTheServicesWordsAndMayBeRetried) {
  AccountHarness h;
  h.bindAndLoad();
  h.service.reply("PATCH", "/api/desktop/settings", Reply::error(422, "That name is not allowed."));
  h.state->displayName = "Grace Hopper";
  EXPECT_FALSE(h.run(h.state->saveName(h.api())));
  EXPECT_EQ(h.state->error.get(), "That name is not allowed.");
  EXPECT_FALSE(h.state->profileUncertain.get());
  EXPECT_TRUE(h.state->canSaveName());
  EXPECT_EQ(h.requestsTo("GET", "settings"), 0u) << "nothing to read back";

  h.service.reply("PATCH", "/api/desktop/settings", Reply::error(401, "Unauthorized"));
  EXPECT_FALSE(h.run(h.state->saveName(h.api())));
  EXPECT_EQ(h.state->error.get(), "Your session expired. Reconnect in the browser; your saved work is still there.");
  EXPECT_TRUE(h.state->reconnectRequired.get());
  EXPECT_FALSE(h.state->profileUncertain.get());
  EXPECT_FALSE(h.state->canSaveName());
}

TEST(AccountSaveName, AGoodWriteWhoseReadBackFailsCountsAsSaved) {
  AccountHarness h;
  h.bindAndLoad();
  h.service.reply("GET", "/api/desktop/settings", Reply::error(500, "Oops."));
  h.state->displayName = " Grace  Hopper";
  EXPECT_TRUE(h.run(h.state->saveName(h.api())));
  EXPECT_EQ(h.settings.account().displayName, "Grace Hopper");
  EXPECT_EQ(h.state->error.get(), "Your name was saved. Refresh to load your latest account details.");
  EXPECT_EQ(h.state->feedback.get(), "Saved.");
  EXPECT_EQ(h.state->displayName.get(), "Grace Hopper");
  EXPECT_EQ((*h.state->snapshot)->displayName, "Grace Hopper");
  EXPECT_EQ((*h.state->snapshot)->email, "ada@example.com");
  EXPECT_FALSE(h.state->profileUncertain.get());
  EXPECT_FALSE(h.state->savingName.get());
}

TEST(AccountSaveName, RefusesQuietlyAndDropsAResultForAnotherConnection) {
  AccountHarness h;
  h.bindAndLoad();
  h.state->noticeArea = AccountNoticeArea::archive;
  EXPECT_FALSE(h.run(h.state->saveName(h.api()))) << "nothing changed";
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::archive);

  h.state->displayName = "Grace Hopper";
  h.state->error = std::string("Earlier.");
  EXPECT_FALSE(h.run(h.state->saveName(h.api("token-2"))));
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::profile);
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_TRUE(h.service.requests().empty());

  Reply held = Reply::json(R"({"ok":true})");
  held.stall = true;
  h.service.reply("PATCH", "/api/desktop/settings", held);
  auto saving = async::spawn(h.state->saveName(h.api()));
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  EXPECT_TRUE(h.state->savingName.get());
  EXPECT_TRUE(h.state->busy());
  runTask(h.state->bind(h.api("token-2"), AccountState::Connected::yes));  // its load is refused: 401
  h.service.releaseStalled();
  waitFor(saving);
  EXPECT_FALSE(saving.result());
  EXPECT_FALSE(h.state->profileUncertain.get());
  EXPECT_EQ(h.state->error.get(), "Your session expired. Reconnect in the browser; your saved work is still there.")
      << "only the new connection's own load wrote";
  EXPECT_FALSE(h.state->feedback->has_value());
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::account);
}
