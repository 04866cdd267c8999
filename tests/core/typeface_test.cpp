#include "core/style/typeface.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using vesk::FontWeight;
using vesk::Typeface;

TEST(Typeface, WeightsMapToTheCssScaleAndClampToEachAxis) {
  struct Row {
    FontWeight weight;
    int numeric;
    double body;
    double display;
  };
  const std::vector<Row> rows{
      {FontWeight::ultraLight, 100, 100, 300}, {FontWeight::thin, 200, 200, 300},
      {FontWeight::light, 300, 300, 300},      {FontWeight::regular, 400, 400, 400},
      {FontWeight::medium, 500, 500, 500},     {FontWeight::semibold, 600, 600, 600},
      {FontWeight::bold, 700, 700, 700},       {FontWeight::heavy, 800, 800, 700},
      {FontWeight::black, 900, 900, 700},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(vesk::numericWeight(row.weight), row.numeric) << row.numeric;
    EXPECT_EQ(Typeface::body.axisWeight(row.weight), row.body) << row.numeric;
    EXPECT_EQ(Typeface::display.axisWeight(row.weight), row.display) << row.numeric;
  }
}

TEST(Typeface, FacesAndBundledFiles) {
  EXPECT_EQ(Typeface::body.face(false), "DMSans9pt-Regular");
  EXPECT_EQ(Typeface::body.face(true), "DMSans9pt-Italic");
  EXPECT_EQ(Typeface::display.face(false), "CormorantGaramond-Light");
  EXPECT_EQ(Typeface::display.face(true), "CormorantGaramond-LightItalic");
  EXPECT_EQ(vesk::monospaceFace, "JetBrainsMono-Regular");
  const std::vector<std::string_view> files(vesk::bundledFontFiles.begin(), vesk::bundledFontFiles.end());
  EXPECT_EQ(files, (std::vector<std::string_view>{"DMSans-Regular", "DMSans-Italic", "CormorantGaramond-Regular",
                                                  "CormorantGaramond-Italic", "JetBrainsMono-Regular"}));
}
