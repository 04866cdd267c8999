#include "core/style/web_token_css.h"

#include "core/style/typeface.h"
#include "core/style/vesk_web_tokens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

using vesk::Rgba;
using vesk::webTokenCss;
using vesk::webTokenProperty;

namespace {

// Reads a declaration's value back as a colour: #rrggbb or rgba(r,g,b,a).
bool readColour(const std::string& text, Rgba& colour) {
  unsigned r = 0, g = 0, b = 0;
  double a = 1;
  if (text.size() == 7 && std::sscanf(text.c_str(), "#%02x%02x%02x", &r, &g, &b) == 3) {
    colour = Rgba{r / 255.0, g / 255.0, b / 255.0, 1};
    return true;
  }
  if (std::sscanf(text.c_str(), "rgba(%u,%u,%u,%lf)", &r, &g, &b, &a) == 4) {
    colour = Rgba{r / 255.0, g / 255.0, b / 255.0, a};
    return true;
  }
  return false;
}

std::string declaration(const std::string& css, const std::string& property) {
  const std::string key = "\n" + property + ":";
  const auto at = css.find(key);
  if (at == std::string::npos || css.find(key, at + 1) != std::string::npos) return {};
  const auto start = at + key.size();
  return css.substr(start, css.find(';', start) - start);
}

}  // namespace

TEST(WebTokenCss, DeclaresEveryColourTokenOnceWithItsValue) {
  const std::string css = webTokenCss();
  for (const auto& token : vesk::VeskWebTokens::colours()) {
    const std::string property = webTokenProperty(std::string(token.name));
    const std::string value = declaration(css, property);
    Rgba read;
    ASSERT_TRUE(readColour(value, read)) << property << " = '" << value << "'";
    EXPECT_NEAR(read.red, token.colour.red, 1e-9) << property;
    EXPECT_NEAR(read.green, token.colour.green, 1e-9) << property;
    EXPECT_NEAR(read.blue, token.colour.blue, 1e-9) << property;
    EXPECT_NEAR(read.alpha, token.colour.alpha, 1e-6) << property;
  }
  EXPECT_NE(css.find("\n--vesk-ivory:#f8f6f1;"), std::string::npos);
  EXPECT_NE(css.find("\n--vesk-control-background:rgba(248,246,241,0.7);"), std::string::npos);
}

TEST(WebTokenCss, PropertyNamesAreKebabCaseUnderThePrefix) {
  EXPECT_EQ(webTokenProperty("ivory"), "--vesk-ivory");
  EXPECT_EQ(webTokenProperty("ivory3"), "--vesk-ivory3");
  EXPECT_EQ(webTokenProperty("secondaryInk"), "--vesk-secondary-ink");
  EXPECT_EQ(webTokenProperty("accountMenuHighlight"), "--vesk-account-menu-highlight");
}

TEST(WebTokenCss, LoadsEveryBundledFontFromTheResourceFolder) {
  const std::string css = webTokenCss();
  for (const auto file : vesk::bundledFontFiles)
    EXPECT_NE(css.find("url(\"../Fonts/" + std::string(file) + ".ttf\")"), std::string::npos) << file;
  EXPECT_NE(css.find("--vesk-font-body:\"" + std::string(vesk::Typeface::body.family) + "\""), std::string::npos);
  EXPECT_NE(css.find("--vesk-font-display:\"" + std::string(vesk::Typeface::display.family) + "\""), std::string::npos);
  EXPECT_NE(css.find("--vesk-font-mono:\"" + std::string(vesk::monospaceFamily) + "\""), std::string::npos);
}
