#include "core/style/vesk_glyph_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using vesk::GlyphPath;
using vesk::PathElement;
using vesk::Point;
using vesk::Rect;
using vesk::VeskGlyphKind;
using vesk::VeskGlyphShape;
using Kind = PathElement::Kind;

namespace {

const Rect grid{0, 0, 24, 24};

int pointCount(const PathElement& element) {
  return element.kind == Kind::curve ? 3 : element.kind == Kind::close ? 0 : 1;
}

// Every point of `path` in order.
std::vector<Point> points(const GlyphPath& path) {
  std::vector<Point> all;
  for (const auto& element : path)
    for (int i = 0; i < pointCount(element); ++i) all.push_back(element.points[i]);
  return all;
}

}  // namespace

TEST(VeskGlyphShape, TheDesignGridKeepsThePointsOfTheSteps) {
  const GlyphPath back = VeskGlyphShape{VeskGlyphKind::back}.path(grid);
  EXPECT_EQ(back, (GlyphPath{{Kind::move, {{{11, 5}}}},
                             {Kind::line, {{{4, 12}}}},
                             {Kind::line, {{{11, 19}}}},
                             {Kind::move, {{{4, 12}}}},
                             {Kind::line, {{{21, 12}}}}}));

  // Cubic steps keep their control points in order, ending on the step's point.
  const GlyphPath overview = VeskGlyphShape{VeskGlyphKind::overview}.path(grid);
  ASSERT_GE(overview.size(), 2u);
  EXPECT_EQ(overview[1], (PathElement{Kind::curve, {{{5.5, 7}, {8, 5.5}, {12, 5.5}}}}));

  // A quadratic step becomes the cubic that draws the same curve: control points two
  // thirds of the way from each end to the quadratic's control point.
  const GlyphPath download = VeskGlyphShape{VeskGlyphKind::download}.path(grid);
  const auto quad = download[7];  // Q (6, 21) via (3, 21), from (3, 18)
  ASSERT_EQ(quad.kind, Kind::curve);
  EXPECT_DOUBLE_EQ(quad.points[0].x, 3);
  EXPECT_DOUBLE_EQ(quad.points[0].y, 20);
  EXPECT_DOUBLE_EQ(quad.points[1].x, 4);
  EXPECT_DOUBLE_EQ(quad.points[1].y, 21);
  EXPECT_EQ(quad.points[2], (Point{6, 21}));

  // The circle of the eye stays inside its box and passes through its four extremes.
  const auto all = points(overview);
  const std::vector<Point> circle(all.begin() + 13, all.end());
  for (const auto& p : {Point{15, 12}, Point{12, 15}, Point{9, 12}, Point{12, 9}})
    EXPECT_NE(std::find(circle.begin(), circle.end(), p), circle.end()) << p.x << ", " << p.y;
}

TEST(VeskGlyphShape, EveryPointFollowsTheRectangle) {
  for (const auto kind : vesk::allGlyphKinds) {
    const auto base = points(VeskGlyphShape{kind}.path(grid));
    ASSERT_FALSE(base.empty());
    const auto doubled = points(VeskGlyphShape{kind}.path({10, 20, 48, 48}));
    const auto stretched = points(VeskGlyphShape{kind}.path({0, 0, 48, 24}));
    ASSERT_EQ(doubled.size(), base.size());
    ASSERT_EQ(stretched.size(), base.size());
    for (std::size_t i = 0; i < base.size(); ++i) {
      EXPECT_NEAR(doubled[i].x, 10 + 2 * base[i].x, 1e-9) << static_cast<int>(kind) << " #" << i;
      EXPECT_NEAR(doubled[i].y, 20 + 2 * base[i].y, 1e-9) << static_cast<int>(kind) << " #" << i;
      // Not square: x doubles, y stays; nothing keeps the aspect ratio.
      EXPECT_NEAR(stretched[i].x, 2 * base[i].x, 1e-9) << static_cast<int>(kind) << " #" << i;
      EXPECT_NEAR(stretched[i].y, base[i].y, 1e-9) << static_cast<int>(kind) << " #" << i;
    }
  }
}

TEST(VeskGlyphShape, ThePaperClipTurnsAboutTheCentreBeforeMapping) {
  const auto turned = points(VeskGlyphShape{VeskGlyphKind::attach}.path(grid));
  ASSERT_FALSE(turned.empty());
  EXPECT_NEAR(turned.front().x, 11.4019, 1e-4);  // (9, 8)
  EXPECT_NEAR(turned.front().y, 7.0359, 1e-4);
  EXPECT_NEAR(turned.back().x, 20.0622, 1e-4);  // (19, 8)
  EXPECT_NEAR(turned.back().y, 12.0359, 1e-4);
}

TEST(VeskGlyphShape, EveryOutlineIsItsOwnAndStaysOnTheGrid) {
  std::vector<GlyphPath> drawn;
  for (const auto kind : vesk::allGlyphKinds) {
    const GlyphPath path = VeskGlyphShape{kind}.path(grid);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front().kind, Kind::move) << static_cast<int>(kind);
    // After a close a new outline starts with a move, never a line from nowhere.
    for (std::size_t i = 1; i < path.size(); ++i) {
      EXPECT_TRUE(path[i - 1].kind != Kind::close || path[i].kind == Kind::move) << static_cast<int>(kind);
    }
    // Every point the stroke passes through lies on the grid (control points may not).
    for (const auto& element : path) {
      if (element.kind == Kind::close) continue;
      const Point p = element.points[element.kind == Kind::curve ? 2 : 0];
      EXPECT_GE(std::min(p.x, p.y), 0) << static_cast<int>(kind);
      EXPECT_LE(std::max(p.x, p.y), 24) << static_cast<int>(kind);
    }
    EXPECT_EQ(std::find(drawn.begin(), drawn.end(), path), drawn.end()) << static_cast<int>(kind) << " repeats";
    drawn.push_back(path);
  }
  // The account's shoulders end on their own start point without closing.
  const GlyphPath account = VeskGlyphShape{VeskGlyphKind::account}.path(grid);
  EXPECT_EQ(account.back().kind, Kind::curve);
  EXPECT_EQ(account.back().points[2], (Point{4.5, 20}));
}

TEST(VeskGlyphShape, RoundedCornersStayInsideTheirRectangle) {
  // The sidebar's window: a 19 x 15 rectangle at (2.5, 4.5) with eased corners.
  const auto all = points(VeskGlyphShape{VeskGlyphKind::sidebar}.path(grid));
  double minX = 99, minY = 99, maxX = -99, maxY = -99;
  constexpr std::size_t rectanglePoints = 1 + 4 + 4 * 9;  // a move, four edges, four eased corners
  ASSERT_GT(all.size(), rectanglePoints);
  for (std::size_t i = 0; i < rectanglePoints; ++i) {
    minX = std::min(minX, all[i].x);
    maxX = std::max(maxX, all[i].x);
    minY = std::min(minY, all[i].y);
    maxY = std::max(maxY, all[i].y);
  }
  EXPECT_DOUBLE_EQ(minX, 2.5);
  EXPECT_DOUBLE_EQ(maxX, 21.5);
  EXPECT_DOUBLE_EQ(minY, 4.5);
  EXPECT_DOUBLE_EQ(maxY, 19.5);
  // Its straight top edge stops short of the corner by more than a circular corner would.
  EXPECT_GT(all[0].x, 2.5 + 4);
  EXPECT_EQ(VeskGlyphShape::lineWidth(14.6), 1);
  EXPECT_NEAR(VeskGlyphShape::lineWidth(21), 1.438, 1e-3);
}
