#include "core/style/vesk_glyph_shape.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

using Op = GlyphStep::Op;

constexpr GlyphStep M(double x, double y) { return {Op::move, {x, y}}; }
constexpr GlyphStep L(double x, double y) { return {Op::line, {x, y}}; }
constexpr GlyphStep C(double x, double y, double x1, double y1, double x2, double y2) {
  return {Op::cubic, {x, y, x1, y1, x2, y2}};
}
constexpr GlyphStep Q(double x, double y, double cx, double cy) { return {Op::quad, {x, y, cx, cy}}; }
constexpr GlyphStep Z() { return {Op::close, {}}; }
constexpr GlyphStep ellipse(double x, double y, double w, double h) { return {Op::ellipse, {x, y, w, h}}; }
constexpr GlyphStep roundedRect(double x, double y, double w, double h, double r) {
  return {Op::roundedRect, {x, y, w, h, r}};
}

// An eye.
constexpr GlyphStep overview[] = {M(2.5, 12),
                                  C(12, 5.5, 5.5, 7, 8, 5.5),
                                  C(21.5, 12, 16, 5.5, 18.5, 7),
                                  C(12, 18.5, 18.5, 17, 16, 18.5),
                                  C(2.5, 12, 8, 18.5, 5.5, 17),
                                  Z(),
                                  ellipse(9, 9, 6, 6)};

// A four-pointed star with curved sides and a small cross at the top right.
constexpr GlyphStep audit[] = {M(12, 2.5),
                               C(21, 11.5, 12.8, 8.2, 15.2, 10.7),
                               C(12, 20.5, 15.2, 12.3, 12.8, 14.8),
                               C(3, 11.5, 11.2, 14.8, 8.8, 12.3),
                               C(12, 2.5, 8.8, 10.7, 11.2, 8.2),
                               Z(),
                               M(20, 3),
                               L(20, 6),
                               M(18.5, 4.5),
                               L(21.5, 4.5)};

// An open book with a line of text on each page; the outline stays open.
constexpr GlyphStep library[] = {M(12, 6),
                                 C(3, 4.5, 8.5, 3.7, 5.5, 3.5),
                                 L(3, 18),
                                 C(12, 19.5, 5.5, 17, 8.5, 17.2),
                                 C(21, 18, 15.5, 17.2, 18.5, 17),
                                 L(21, 4.5),
                                 C(12, 6, 18.5, 3.5, 15.5, 3.7),
                                 L(12, 19.5),
                                 M(6, 8.5),
                                 Q(9, 9, 7.5, 8.1),
                                 M(15, 9),
                                 Q(18, 8.5, 16.5, 8.1)};

// Head and shoulders; the shoulders end on their start point without closing.
constexpr GlyphStep account[] = {ellipse(8.5, 3, 7, 7), M(4.5, 20), C(12, 13.5, 4.5, 15.8, 8, 13.5),
                                 C(19.5, 20, 16, 13.5, 19.5, 15.8), Q(4.5, 20, 12, 22)};

// A window with a sidebar divider and three short marks.
constexpr GlyphStep sidebar[] = {roundedRect(2.5, 4.5, 19, 15, 4),
                                 M(9, 4.5),
                                 L(9, 19.5),
                                 M(5.5, 8.5),
                                 L(6, 8.5),
                                 M(5.5, 12),
                                 L(6, 12),
                                 M(5.5, 15.5),
                                 L(6, 15.5)};

// An arrow pointing left.
constexpr GlyphStep back[] = {M(11, 5), L(4, 12), L(11, 19), M(4, 12), L(21, 12)};

// A paper clip, turned afterwards.
constexpr GlyphStep attach[] = {
    M(9, 8), L(9, 15), C(15, 15, 9, 19, 15, 19), L(15, 6), C(6, 6, 15, 1, 6, 1), L(6, 15), C(19, 15, 6, 24, 19, 24),
    L(19, 8)};

// An arrow down into a tray.
constexpr GlyphStep download[] = {M(12, 3), L(12, 15),       M(7, 10),  L(12, 15),         L(17, 10), M(3, 15),
                                  L(3, 18), Q(6, 21, 3, 21), L(18, 21), Q(21, 18, 21, 21), L(21, 15)};

// An arrow up out of an open box.
constexpr GlyphStep share[] = {M(12, 15),  L(12, 2.5),        M(7.5, 7),       L(12, 2.5),        L(16.5, 7),
                               M(6.5, 10), L(5, 10),          Q(3, 12, 3, 10), L(3, 19),          Q(5, 21, 3, 21),
                               L(19, 21),  Q(21, 19, 21, 21), L(21, 12),       Q(19, 10, 21, 10), L(17.5, 10)};

// A printer with its paper and a status mark.
constexpr GlyphStep print[] = {M(7, 8),
                               L(7, 3),
                               L(17, 3),
                               L(17, 8),
                               M(6.5, 17),
                               L(4.5, 17),
                               Q(2.5, 15, 2.5, 17),
                               L(2.5, 10),
                               Q(4.5, 8, 2.5, 8),
                               L(19.5, 8),
                               Q(21.5, 10, 21.5, 8),
                               L(21.5, 15),
                               Q(19.5, 17, 21.5, 17),
                               L(17.5, 17),
                               roundedRect(6.5, 13.5, 11, 7.5, 1),
                               M(17, 11),
                               L(18, 11)};

// An X.
constexpr GlyphStep close[] = {M(6, 6), L(18, 18), M(18, 6), L(6, 18)};

// Builds a path in grid units, turning quadratic curves, ellipses and rounded corners
// into cubic curves.
class PathBuilder {
 public:
  void moveTo(Point p) {
    path_.push_back({PathElement::Kind::move, {p}});
    current_ = start_ = p;
  }
  void lineTo(Point p) {
    path_.push_back({PathElement::Kind::line, {p}});
    current_ = p;
  }
  void curveTo(Point c1, Point c2, Point p) {
    path_.push_back({PathElement::Kind::curve, {c1, c2, p}});
    current_ = p;
  }
  // The exact cubic form of a quadratic curve from the current point.
  void quadTo(Point c, Point p) {
    const auto twoThirds = [](Point from, Point to) {
      return Point{from.x + 2.0 / 3.0 * (to.x - from.x), from.y + 2.0 / 3.0 * (to.y - from.y)};
    };
    curveTo(twoThirds(current_, c), twoThirds(p, c), p);
  }
  void close() {
    path_.push_back({PathElement::Kind::close, {}});
    current_ = start_;
  }

  void addEllipse(double x, double y, double w, double h) {
    constexpr double k = 0.5522847498307936;  // a quarter circle as one cubic
    const double cx = x + w / 2, cy = y + h / 2, rx = w / 2, ry = h / 2;
    moveTo({cx + rx, cy});
    curveTo({cx + rx, cy + k * ry}, {cx + k * rx, cy + ry}, {cx, cy + ry});
    curveTo({cx - k * rx, cy + ry}, {cx - rx, cy + k * ry}, {cx - rx, cy});
    curveTo({cx - rx, cy - k * ry}, {cx - k * rx, cy - ry}, {cx, cy - ry});
    curveTo({cx + k * rx, cy - ry}, {cx + rx, cy - k * ry}, {cx + rx, cy});
    close();
  }

  // A rectangle whose corners have continuous curvature: each corner eases out of the
  // straight edge over about 1.53 r instead of meeting a circular arc abruptly.
  void addContinuousRoundedRect(double x, double y, double w, double h, double r) {
    constexpr double reach = 1.52866483;
    r = std::min(r, std::min(w, h) / 2 / reach);
    moveTo({x + reach * r, y});
    lineTo({x + w - reach * r, y});
    corner({x + w, y}, {-1, 0}, {0, 1}, r);
    lineTo({x + w, y + h - reach * r});
    corner({x + w, y + h}, {0, -1}, {-1, 0}, r);
    lineTo({x + reach * r, y + h});
    corner({x, y + h}, {1, 0}, {0, -1}, r);
    lineTo({x, y + reach * r});
    corner({x, y}, {0, 1}, {1, 0}, r);
    close();
  }

  GlyphPath take() { return std::move(path_); }

 private:
  // From the incoming edge (direction `back` from the corner) round to the outgoing
  // edge (direction `out`); a point (a, b) lies a*r back along the incoming edge and
  // b*r along the outgoing one.
  void corner(Point c, Point back, Point out, double r) {
    const auto at = [&](double a, double b) {
      return Point{c.x + (a * back.x + b * out.x) * r, c.y + (a * back.y + b * out.y) * r};
    };
    curveTo(at(1.08849323, 0), at(0.86840689, 0), at(0.63149399, 0.07491100));
    curveTo(at(0.37282392, 0.16905936), at(0.16905936, 0.37282392), at(0.07491100, 0.63149399));
    curveTo(at(0, 0.86840689), at(0, 1.08849323), at(0, 1.52866483));
  }

  GlyphPath path_;
  Point current_;
  Point start_;
};

GlyphPath gridPath(std::span<const GlyphStep> steps) {
  PathBuilder builder;
  for (const auto& step : steps) {
    const auto& v = step.values;
    switch (step.op) {
      case Op::move: builder.moveTo({v[0], v[1]}); break;
      case Op::line: builder.lineTo({v[0], v[1]}); break;
      case Op::cubic: builder.curveTo({v[2], v[3]}, {v[4], v[5]}, {v[0], v[1]}); break;
      case Op::quad: builder.quadTo({v[2], v[3]}, {v[0], v[1]}); break;
      case Op::close: builder.close(); break;
      case Op::ellipse: builder.addEllipse(v[0], v[1], v[2], v[3]); break;
      case Op::roundedRect: builder.addContinuousRoundedRect(v[0], v[1], v[2], v[3], v[4]); break;
    }
  }
  return builder.take();
}

template <class Map>
void mapPoints(GlyphPath& path, Map map) {
  for (auto& element : path) {
    const int count = element.kind == PathElement::Kind::curve ? 3 : element.kind == PathElement::Kind::close ? 0 : 1;
    for (int i = 0; i < count; ++i) element.points[i] = map(element.points[i]);
  }
}

}  // namespace

std::span<const GlyphStep> VeskGlyphShape::steps(VeskGlyphKind kind) {
  switch (kind) {
    case VeskGlyphKind::overview: return overview;
    case VeskGlyphKind::audit: return audit;
    case VeskGlyphKind::library: return library;
    case VeskGlyphKind::account: return account;
    case VeskGlyphKind::sidebar: return sidebar;
    case VeskGlyphKind::back: return back;
    case VeskGlyphKind::attach: return attach;
    case VeskGlyphKind::download: return download;
    case VeskGlyphKind::share: return share;
    case VeskGlyphKind::print: return print;
    case VeskGlyphKind::close: return close;
  }
  return {};
}

GlyphPath VeskGlyphShape::path(const Rect& rect) const {
  GlyphPath path = gridPath(steps(kind));
  if (kind == VeskGlyphKind::attach) {
    const double c = std::cos(attachTurnRadians);
    const double s = std::sin(attachTurnRadians);
    const double centre = gridSize / 2;
    mapPoints(path, [&](Point p) {
      const double dx = p.x - centre, dy = p.y - centre;
      return Point{centre + dx * c - dy * s, centre + dx * s + dy * c};
    });
  }
  const double sx = rect.width / gridSize;
  const double sy = rect.height / gridSize;
  mapPoints(path, [&](Point p) { return Point{rect.x + p.x * sx, rect.y + p.y * sy}; });
  return path;
}

}  // namespace vesk
