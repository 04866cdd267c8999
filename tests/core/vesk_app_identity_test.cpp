#include "core/signin/vesk_app_identity.h"

#include "build_config.h"

#include <glib.h>
#include <gtest/gtest.h>

using vesk::VeskAppIdentity;

TEST(VeskAppIdentity, DerivesEveryValueFromTheApplicationId) {
  struct Case {
    std::string id;
    std::string bundle;
    std::optional<std::string> application;
    std::string scheme;
    std::string folder;
  };
  const Case cases[] = {
      {"app.vesk.desktop", "app.vesk.desktop", "app.vesk.desktop", "app.vesk.desktop", "Vesk"},
      {"app.vesk.desktop.prototype", "app.vesk.desktop.prototype", std::nullopt, "veskmac", "Vesk Prototype"},
      {"", "app.vesk.desktop.prototype", std::nullopt, "veskmac", "Vesk Prototype"},
      {"App.Vesk.Desktop", "App.Vesk.Desktop", std::nullopt, "veskmac", "Vesk Prototype"},
      {"app.vesk.desktop.dev", "app.vesk.desktop.dev", std::nullopt, "veskmac", "Vesk Prototype"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    const auto identity = VeskAppIdentity::forIdentifier(c.id);
    EXPECT_EQ(identity.bundleIdentifier, c.bundle);
    EXPECT_EQ(identity.sessionService, c.bundle) << "the keyring service follows the actual id";
    EXPECT_EQ(identity.connectionApplication, c.application);
    EXPECT_EQ(identity.callbackScheme, c.scheme);
    EXPECT_EQ(identity.supportFolderName, c.folder);
  }
}

TEST(VeskAppIdentity, BuildValuesComeFromTheConfiguredIdAndMakeAValidScheme) {
  const auto& current = VeskAppIdentity::current();
  EXPECT_EQ(current.bundleIdentifier, VeskAppIdentity::forIdentifier(vesk::build::applicationId).bundleIdentifier);
  EXPECT_EQ(&current, &VeskAppIdentity::current()) << "computed once";
  // A release id is also the callback URL scheme, so it must be one.
  for (std::string_view scheme : {VeskAppIdentity::releaseIdentifier, std::string_view(current.callbackScheme)}) {
    SCOPED_TRACE(scheme);
    ASSERT_FALSE(scheme.empty());
    EXPECT_TRUE(g_ascii_islower(scheme.front()));
    for (char c : scheme) EXPECT_TRUE(g_ascii_islower(c) || g_ascii_isdigit(c) || c == '+' || c == '.' || c == '-');
  }
  EXPECT_EQ(current.supportFolder().filename(), current.supportFolderName);
}
