#include "core/style/typeface.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

using vesk::FontWeight;
using vesk::Typeface;

TEST(Typeface, WeightsRunInHundredsAndTheDisplayAxisStopsAtLightAndBold) {
  const FontWeight lightestFirst[] = {FontWeight::ultraLight, FontWeight::thin,   FontWeight::light,
                                      FontWeight::regular,    FontWeight::medium, FontWeight::semibold,
                                      FontWeight::bold,       FontWeight::heavy,  FontWeight::black};
  int hundreds = 1;
  for (const auto weight : lightestFirst) {
    EXPECT_EQ(vesk::numericWeight(weight), 100 * hundreds++);
    EXPECT_EQ(Typeface::body.axisWeight(weight), vesk::numericWeight(weight));
  }
  EXPECT_EQ(Typeface::display.axisWeight(FontWeight::thin), vesk::numericWeight(FontWeight::light));
  EXPECT_EQ(Typeface::display.axisWeight(FontWeight::medium), 500);
  EXPECT_EQ(Typeface::display.axisWeight(FontWeight::black), vesk::numericWeight(FontWeight::bold));
}

TEST(Typeface, EachStyleHasItsOwnFacesAndEachFileIsBundledOnce) {
  for (const auto* typeface : {&Typeface::body, &Typeface::display})
    EXPECT_NE(typeface->face(false), typeface->face(true));
  EXPECT_NE(Typeface::body.family, Typeface::display.family);
  const std::set<std::string_view> files(vesk::bundledFontFiles.begin(), vesk::bundledFontFiles.end());
  EXPECT_EQ(files.size(), vesk::bundledFontFiles.size());
  EXPECT_TRUE(files.count(vesk::monospaceFace)) << "the monospaced face is a file of its own";
}
