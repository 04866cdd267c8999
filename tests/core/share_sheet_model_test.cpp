// The share sheet's five states, its Escape and the confirmation's reset when the link goes.
#include "core/report/share_sheet_model.h"
#include "support/report_harness.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

// A complete own report with no link, loaded and idle.
ShareSheetInputs noLink() {
  ShareSheetInputs in;
  in.complete = true;
  return in;
}

ShareSheetInputs withLink(bool armed, bool busy) {
  auto in = noLink();
  in.sharedSlug = "abc";
  in.shareURL = "https://vesk.example/c/abc";
  in.revokeArmed = armed;
  in.busy = busy;
  return in;
}

}  // namespace

TEST(ShareSheetLook, FiveStatesShowTheirButtons) {
  // No link: Cancel + Create share link, enabled; Escape dismisses.
  auto look = shareSheetLook(noLink());
  EXPECT_EQ(look.footer, ShareFooter::createLink);
  EXPECT_FALSE(look.link);
  EXPECT_FALSE(look.linkButtons);
  EXPECT_TRUE(look.buttonsEnabled);
  EXPECT_TRUE(look.createEnabled);
  EXPECT_FALSE(look.progress);
  EXPECT_EQ(look.escape, ShareEscape::dismiss);

  // Creating: the same footer, every button disabled, the indicator, no Escape.
  auto creating = noLink();
  creating.busy = true;
  look = shareSheetLook(creating);
  EXPECT_EQ(look.footer, ShareFooter::createLink);
  EXPECT_FALSE(look.buttonsEnabled);
  EXPECT_FALSE(look.createEnabled);
  EXPECT_TRUE(look.progress);
  EXPECT_EQ(look.escape, ShareEscape::nothing);

  // Link shown: the box, Copy link + Revoke link beside it, Done.
  look = shareSheetLook(withLink(false, false));
  EXPECT_EQ(look.link, "https://vesk.example/c/abc");
  EXPECT_TRUE(look.linkButtons);
  EXPECT_FALSE(look.warning);
  EXPECT_EQ(look.footer, ShareFooter::done);
  EXPECT_EQ(look.escape, ShareEscape::dismiss);

  // Revoke armed: the box without its buttons, the warning, Cancel + Revoke link.
  look = shareSheetLook(withLink(true, false));
  EXPECT_EQ(look.link, "https://vesk.example/c/abc");
  EXPECT_FALSE(look.linkButtons);
  EXPECT_TRUE(look.warning);
  EXPECT_EQ(look.footer, ShareFooter::confirmRevoke);
  EXPECT_TRUE(look.buttonsEnabled);
  EXPECT_EQ(look.escape, ShareEscape::disarm);

  // Revoking: as armed, disabled, the indicator, no Escape.
  look = shareSheetLook(withLink(true, true));
  EXPECT_EQ(look.footer, ShareFooter::confirmRevoke);
  EXPECT_FALSE(look.buttonsEnabled);
  EXPECT_TRUE(look.progress);
  EXPECT_EQ(look.escape, ShareEscape::nothing);

  // A slug that makes no valid link: no box, so no arming, and the Done footer.
  auto invalid = noLink();
  invalid.sharedSlug = "bad slug";
  look = shareSheetLook(invalid);
  EXPECT_FALSE(look.link);
  EXPECT_FALSE(look.linkButtons);
  EXPECT_EQ(look.footer, ShareFooter::done);
}

TEST(ShareSheetLook, CreateIsRefusedForReportsThatCannotBeShared) {
  const auto refused = [](auto change) {
    auto in = noLink();
    change(in);
    return !shareSheetLook(in).createEnabled;
  };
  EXPECT_TRUE(refused([](ShareSheetInputs& in) { in.complete = false; }));
  EXPECT_TRUE(refused([](ShareSheetInputs& in) { in.fixture = true; }));
  EXPECT_TRUE(refused([](ShareSheetInputs& in) { in.isVesk = false; }));
  EXPECT_TRUE(refused([](ShareSheetInputs& in) { in.loadingDetails = true; }));
  EXPECT_FALSE(refused([](ShareSheetInputs&) {}));
  // The error stays under the items while the footer stays usable.
  auto failed = withLink(true, false);
  failed.error = "The link could not be revoked.";
  const auto look = shareSheetLook(failed);
  EXPECT_EQ(look.error, "The link could not be revoked.");
  EXPECT_EQ(look.footer, ShareFooter::confirmRevoke);
  EXPECT_TRUE(look.buttonsEnabled);
}

TEST(ShareSheetModel, ArmingFallsWhenTheLinkGoesAndEscapeFollowsTheState) {
  ReportHarness h;
  h.routeRun("R", {{"id", "R"}}, {{"slug", "abc"}});
  h.bindLoaded(reportRun("R"));
  ASSERT_EQ(*h.state->sharedSlug, std::optional<std::string>("abc"));
  ShareSheetModel model(*h.state);
  int changes = 0;
  model.signalChanged().connect([&] { ++changes; });

  h.state->message = std::string("Copied");
  model.arm();
  EXPECT_TRUE(model.revokeArmed());
  EXPECT_FALSE(model.look().message) << "arming clears the notice of the step before";
  h.state->message = std::string("Copied");
  EXPECT_FALSE(model.escape()) << "armed: Escape only disarms";
  EXPECT_FALSE(model.revokeArmed());
  EXPECT_FALSE(model.look().message) << "disarming is a new step too";
  model.arm();
  h.state->busy = true;
  EXPECT_FALSE(model.escape()) << "busy: Escape does nothing";
  EXPECT_TRUE(model.revokeArmed());
  model.disarm();
  EXPECT_TRUE(model.revokeArmed()) << "Cancel is disabled while busy";
  h.state->busy = false;

  // The state rebound to a run without a link: the confirmation disappears.
  h.routeRun("S", {{"id", "S"}});
  h.bindLoaded(reportRun("S"));
  EXPECT_FALSE(model.revokeArmed());
  EXPECT_EQ(model.look().footer, ShareFooter::createLink);
  EXPECT_TRUE(model.escape()) << "no link: Escape dismisses";
  EXPECT_GT(changes, 0);
}
