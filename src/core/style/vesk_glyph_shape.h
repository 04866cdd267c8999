#pragma once
// The application's own line icons: eleven outlines laid out on a 24 x 24 grid (origin
// top left, y down) and mapped into any rectangle, each axis scaled on its own. The
// outline is only ever stroked, never filled, in the colour of where it is placed.
#include "core/style/geometry.h"

#include <array>
#include <span>
#include <vector>

namespace vesk {

enum class VeskGlyphKind { overview, audit, library, account, sidebar, back, attach, download, share, print, close };

inline constexpr std::array<VeskGlyphKind, 11> allGlyphKinds{
    VeskGlyphKind::overview, VeskGlyphKind::audit, VeskGlyphKind::library, VeskGlyphKind::account,
    VeskGlyphKind::sidebar,  VeskGlyphKind::back,  VeskGlyphKind::attach,  VeskGlyphKind::download,
    VeskGlyphKind::share,    VeskGlyphKind::print, VeskGlyphKind::close};

// One drawing step in grid units.
//   move (x, y); line (x, y); cubic (x, y) via (x1, y1), (x2, y2); quad (x, y) via (cx, cy);
//   close; ellipse in the box (x, y, w, h); roundedRect (x, y, w, h) with corner r.
struct GlyphStep {
  enum class Op { move, line, cubic, quad, close, ellipse, roundedRect };
  Op op;
  std::array<double, 6> values{};
};

// One element of a finished path: move and line use points[0]; a curve is a cubic
// Bézier with control points points[0], points[1] ending at points[2].
struct PathElement {
  enum class Kind { move, line, curve, close };
  Kind kind;
  std::array<Point, 3> points{};
  bool operator==(const PathElement&) const = default;
};

using GlyphPath = std::vector<PathElement>;

struct VeskGlyphShape {
  VeskGlyphKind kind;

  static constexpr double gridSize = 24;
  // The turn of the paper clip about the grid's centre, clockwise on the y-down grid.
  static constexpr double attachTurnRadians = 0.5235987755982988;

  // The kind's outline mapped into `rect`: x' = x(R) + x * width(R) / 24, likewise y.
  // Quadratic curves, ellipses and rounded corners become cubic curves, so every point
  // of the path follows the same mapping.
  GlyphPath path(const Rect& rect) const;

  // The drawing steps of a kind, in grid units, before any turn.
  static std::span<const GlyphStep> steps(VeskGlyphKind kind);

  // The stroke width for a glyph `size` px square: a 14.6 px glyph draws 1 px lines.
  static double lineWidth(double size) { return size / 14.6; }
};

}  // namespace vesk
