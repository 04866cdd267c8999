// The account state follows the workspace's connection: after the user signs in as
// another account, nothing of the previous account is shown, not even for a moment.
#include "core/account/account_state.h"
#include "fake_service/fake_settings.h"
#include "support/workspace_harness.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

// What the account screen binds with: the workspace's client, and whether it holds a real
// (not a preview) account.
AccountState::Connected connected(const Workspace& workspace) {
  return !*workspace.fixture && workspace.account->has_value() ? AccountState::Connected::yes
                                                               : AccountState::Connected::no;
}

}  // namespace

TEST(AccountBindingWithWorkspace, AnotherAccountNeverShowsThePreviousOnesDetails) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  FakeSettings first(h.service, "token-1");
  auto state = AccountState::create();
  runTask(state->bind(workspace->api(), connected(*workspace)));
  ASSERT_EQ(state->displayName.get(), "Ada Lovelace");
  ASSERT_EQ((*state->snapshot)->entitlements->auditBalance, 7);

  // The user signs in as someone else while the account screen is not shown.
  h.routeSignIn("token-2");
  FakeSettings second(h.service, "token-2");
  second.account().displayName = "Grace Hopper";
  second.account().email = "grace@example.com";
  second.account().auditBalance = 1;
  workspace->connect(Workspace::SavedWork::discard);
  ASSERT_TRUE(runUntil([&] { return !h.launched.empty(); }));
  h.returnFromBrowser();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy && workspace->account->has_value(); }));

  // Showing the screen binds first; before its load has even started, the state holds
  // nothing of the previous account.
  std::vector<std::string> namesSeen;
  state->displayName.signalChanged().connect([&] { namesSeen.push_back(*state->displayName); });
  auto load = state->bind(workspace->api(), connected(*workspace));
  EXPECT_FALSE(state->snapshot->has_value());
  EXPECT_TRUE(state->displayName->empty());
  runTask(std::move(load));
  EXPECT_EQ((*state->snapshot)->email, "grace@example.com");
  EXPECT_EQ((*state->snapshot)->entitlements->auditBalance, 1);
  EXPECT_EQ(namesSeen, (std::vector<std::string>{"", "Grace Hopper"}));

  // Signing out clears it again at once, and a preview account counts as signed out.
  workspace->disconnect();
  auto cleared = state->bind(workspace->api(), connected(*workspace));
  EXPECT_FALSE(state->snapshot->has_value());
  EXPECT_TRUE(state->activeKey().empty());
  runTask(std::move(cleared));
}
