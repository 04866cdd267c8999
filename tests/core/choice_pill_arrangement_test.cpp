#include "core/style/choice_pill_arrangement.h"

#include <gtest/gtest.h>

#include <vector>

using vesk::ChoicePillArrangement;
using vesk::ChoicePillChild;
using vesk::Point;
using vesk::Size;

namespace {

ChoicePillChild fixed(double width, double height, double minimum = 0) {
  return {minimum, width, [height](double) { return height; }};
}

}  // namespace

TEST(ChoicePillArrangement, FillsRowsLeftToRightAndWraps) {
  const std::vector<ChoicePillChild> three{fixed(40, 30), fixed(40, 30), fixed(40, 30)};
  const auto a = ChoicePillArrangement::arrange(100, 8, three);
  EXPECT_EQ(a.points, (std::vector<Point>{{0, 0}, {48, 0}, {0, 38}}));
  EXPECT_EQ(a.sizes, (std::vector<Size>{{40, 30}, {40, 30}, {40, 30}}));
  EXPECT_EQ(a.height, 68);

  // Ending exactly at the width stays in the row.
  const std::vector<ChoicePillChild> two{fixed(40, 30), fixed(40, 30)};
  const auto exact = ChoicePillArrangement::arrange(88, 8, two);
  EXPECT_EQ(exact.points, (std::vector<Point>{{0, 0}, {48, 0}}));
  EXPECT_EQ(exact.height, 30);

  // A row is as tall as its tallest child; the next row starts below it.
  const std::vector<ChoicePillChild> mixed{fixed(40, 30), fixed(40, 44), fixed(90, 20)};
  const auto rows = ChoicePillArrangement::arrange(100, 8, mixed);
  EXPECT_EQ(rows.points[2], (Point{0, 52}));
  EXPECT_EQ(rows.sizes[0], (Size{40, 30}));
  EXPECT_EQ(rows.height, 72);
}

TEST(ChoicePillArrangement, CentredRowsShareOneCentreLine) {
  const std::vector<ChoicePillChild> mixed{fixed(40, 42), fixed(40, 30), fixed(90, 20), fixed(2, 30)};
  const auto rows = ChoicePillArrangement::arrange(100, 8, mixed, vesk::PillRowAlignment::centre);
  EXPECT_EQ(rows.points, (std::vector<Point>{{0, 0}, {48, 6}, {0, 55}, {98, 50}})) << "each row centres on its own";
  EXPECT_EQ(rows.sizes[1], (Size{40, 30})) << "a shorter child keeps its height";
  EXPECT_EQ(rows.height, 80);
}

TEST(ChoicePillArrangement, WideChildrenAndEmptyLayouts) {
  // An ideal width beyond the row is cut to the row; after another child it wraps first.
  int askedWidth = 0;
  const std::vector<ChoicePillChild> wide{fixed(50, 30), {0, 300, [&](double w) {
                                                            askedWidth = static_cast<int>(w);
                                                            return 60.0;
                                                          }}};
  const auto a = ChoicePillArrangement::arrange(200, 8, wide);
  EXPECT_EQ(a.points[1], (Point{0, 38}));
  EXPECT_EQ(a.sizes[1], (Size{200, 60}));
  EXPECT_EQ(askedWidth, 200);

  // The first child of a row never wraps, and never shrinks below its minimum.
  const std::vector<ChoicePillChild> stubborn{fixed(300, 30, 250)};
  const auto s = ChoicePillArrangement::arrange(200, 8, stubborn);
  EXPECT_EQ(s.points[0], (Point{0, 0}));
  EXPECT_EQ(s.sizes[0].width, 250);
  EXPECT_EQ(ChoicePillArrangement::minimumWidth(stubborn), 250);

  const auto empty = ChoicePillArrangement::arrange(ChoicePillArrangement::unspecifiedWidth, 8, {});
  EXPECT_TRUE(empty.points.empty());
  EXPECT_EQ(empty.height, 0);
  EXPECT_EQ(ChoicePillArrangement::minimumWidth({}), 0);
  EXPECT_EQ(ChoicePillArrangement::unspecifiedWidth, 760);
}
