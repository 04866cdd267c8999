// The account footer's summary of an account, the name it shows, the face it picks, and
// the addresses the account menu opens.
#include "core/sidebar/sidebar_account_summary.h"
#include "core/sidebar/public_pages.h"

#include <gtest/gtest.h>

using namespace vesk;

namespace {

Account account(std::string plan, std::int64_t audits, std::optional<FreeWeek> week = std::nullopt,
                std::optional<std::int64_t> bonus = std::nullopt, std::optional<bool> member = std::nullopt,
                std::optional<std::string> cycle = std::nullopt) {
  std::optional<QuickAccess> quick;
  if (bonus) quick = QuickAccess(true, std::nullopt, 5, std::nullopt, 5, bonus);
  return Account("ada@example.com", audits, std::move(plan), quick, std::nullopt, std::nullopt, std::move(week), member,
                 std::move(cycle));
}

SidebarAccountSummary summary(const Account& a) { return SidebarAccountSummary::from(a); }

}  // namespace

TEST(SidebarAccountSummary, PaidPlansNameThePlanAndTheBillingCycle) {
  EXPECT_EQ(
      summary(account("studio", 2, std::nullopt, std::nullopt, std::nullopt, "annual")),
      (SidebarAccountSummary{true, "Studio plan", "Annual", "2 full audits available", std::nullopt, "See prices"}));
  EXPECT_EQ(summary(account("member", 1, std::nullopt, std::nullopt, true, "monthly")).detail, "Monthly");
  EXPECT_EQ(summary(account("member", 1)).plan, "Vesk Plus");
  EXPECT_EQ(summary(account("maker", 1)).plan, "Pro plan");
  EXPECT_EQ(summary(account("starter", 1)).plan, "Starter plan");
  EXPECT_EQ(summary(account("enterprise", 1)).plan, "Enterprise plan");
  EXPECT_EQ(summary(account("pro", 1, std::nullopt, std::nullopt, false)).plan, "Pro plan")
      << "a plan other than free or beta is paid whatever the membership says";
  EXPECT_EQ(summary(account("studio", 1, std::nullopt, std::nullopt, std::nullopt, "Annual")).detail, std::nullopt);

  // An empty or unknown plan counts as paid; a member on beta too, and its free week is ignored.
  EXPECT_EQ(summary(account("", 0)), (SidebarAccountSummary{true, "Your plan", std::nullopt, "No full audits available",
                                                            std::nullopt, "See prices"}));
  const auto beta = summary(account("beta", 0, FreeWeek(true, "2026-01-01", 4), std::nullopt, true));
  EXPECT_TRUE(beta.paid);
  EXPECT_EQ(beta.plan, "Your plan");
  EXPECT_EQ(beta.balance, "No full audits available") << "the ignored week does not make it \"Full audit used\"";

  const auto bonus = summary(account("studio", 0, std::nullopt, 4));
  EXPECT_EQ(bonus.bonusBalance, "4 bonus Quick reads available");
  EXPECT_EQ(bonus.pricingLabel, "See prices");
}

TEST(SidebarAccountSummary, FreeAndBetaAccountsShowTheWeekThePackOrNothing) {
  EXPECT_EQ(summary(account("free", 0)),
            (SidebarAccountSummary{false, "Your account", std::nullopt, "No full audits available", std::nullopt,
                                   "See prices"}));
  EXPECT_EQ(
      summary(account("free", 1, FreeWeek(true, "2026-01-08", 5))),
      (SidebarAccountSummary{false, "Free week", "5 days left", "1 full audit available", std::nullopt, "See prices"}));
  EXPECT_EQ(summary(account("free", 0, FreeWeek(true, std::nullopt, 2))).detail, "2 days left");
  for (const std::int64_t last : {1, 0, -3}) {
    const auto s = summary(account("free", 0, FreeWeek(true, std::nullopt, last)));
    EXPECT_EQ(s.detail, "Last day") << last;
    EXPECT_EQ(s.balance, "Full audit used") << last;
  }
  EXPECT_EQ(summary(account("free", 0, FreeWeek(false, "2026-01-01", 0))).plan, "Free week ended");
  EXPECT_EQ(summary(account("free", 0, FreeWeek(false, std::nullopt, 0))).plan, "Your account");
  EXPECT_EQ(summary(account("beta", 2)),
            (SidebarAccountSummary{false, "Vesk Pack", std::nullopt, "2 full audits available", std::nullopt,
                                   "Buy Vesk Pack"}));
  EXPECT_EQ(summary(account("free", 0, std::nullopt, 1)),
            (SidebarAccountSummary{false, "Vesk Pack", std::nullopt, "No full audits available",
                                   "1 bonus Quick reads available", "Buy Vesk Pack"}));
  EXPECT_EQ(summary(account("free", -2, std::nullopt, 0)).balance, "No full audits available");
  EXPECT_EQ(summary(account("free", 12)).balance, "12 full audits available");
  EXPECT_EQ(summary(account("free", 3, FreeWeek(true, std::nullopt, 3))).pricingLabel, "See prices")
      << "an active week offers prices, not the pack";
}

TEST(SidebarAccountSummary, TheNameAndTheFaceOfTheFooter) {
  auto a = account("free", 0);
  EXPECT_EQ(sidebarAccountName(a), "ada@example.com");
  a.displayName = " \n\t\u00A0";
  EXPECT_EQ(sidebarAccountName(a), "ada@example.com") << "a name of spaces shows the e-mail";
  a.displayName = "  Ada Lovelace\n";
  EXPECT_EQ(sidebarAccountName(a), "Ada Lovelace");
  EXPECT_EQ(sidebarAccountName(std::nullopt), "Your account");

  using F = SidebarFooterFace;
  // fixture, session, account, loading, error
  EXPECT_EQ(sidebarFooterFace({true, true, true, true, true}), F::offer);
  EXPECT_EQ(sidebarFooterFace({true, false, false, false, false}), F::offer);
  EXPECT_EQ(sidebarFooterFace({false, false, false, false, false}), F::offer);
  EXPECT_EQ(sidebarFooterFace({false, true, true, true, true}), F::summary);
  EXPECT_EQ(sidebarFooterFace({false, true, false, true, true}), F::loading);
  EXPECT_EQ(sidebarFooterFace({false, true, false, false, true}), F::failed);
  EXPECT_EQ(sidebarFooterFace({false, true, false, false, false}), F::unavailable);
}

TEST(PublicPages, AddressesUnderTheOriginAndTheBillingCheck) {
  EXPECT_EQ(publicPageURL("http://127.0.0.1:5000", "pricing"), "http://127.0.0.1:5000/pricing");
  EXPECT_EQ(publicPageURL("http://127.0.0.1:5000", ""), "http://127.0.0.1:5000/");
  EXPECT_EQ(publicPageURL("https://vesk.example/", "pricing"), "https://vesk.example/pricing");
  EXPECT_EQ(publicPageURL("not an origin", "pricing"), std::nullopt);

  EXPECT_TRUE(billingURLAcceptable("https://h/x"));
  EXPECT_TRUE(billingURLAcceptable("https://billing.example.com/session/abc?x=1"));
  for (const char* refused : {"http://billing.example.com/x", "https://u:p@h/x", "https://u@h/x", "HTTPS://h/x",
                              "Https://h/x", "not a url", "", "https:///x", "https:h/x", "mailto:a@h", " https://h/x"})
    EXPECT_FALSE(billingURLAcceptable(refused)) << refused;
}
