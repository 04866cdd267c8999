#include "ui/style/glyph_painter.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace vesk::ui {

void addGlyphPath(cairo_t* cr, const GlyphPath& path) {
  cairo_new_path(cr);
  for (const auto& element : path) {
    const auto& p = element.points;
    switch (element.kind) {
      case PathElement::Kind::move: cairo_move_to(cr, p[0].x, p[0].y); break;
      case PathElement::Kind::line: cairo_line_to(cr, p[0].x, p[0].y); break;
      case PathElement::Kind::curve: cairo_curve_to(cr, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y); break;
      case PathElement::Kind::close: cairo_close_path(cr); break;
    }
  }
}

void appendGlyph(GtkSnapshot* snapshot, VeskGlyphKind kind, const Rect& rect, const Rgba& colour) {
  if (rect.width <= 0 || rect.height <= 0) return;
  const double lineWidth = VeskGlyphShape::lineWidth(std::min(rect.width, rect.height));
  // Round caps reach half a line beyond the outline.
  const double margin = std::ceil(lineWidth);
  const graphene_rect_t bounds =
      GRAPHENE_RECT_INIT(static_cast<float>(rect.x - margin), static_cast<float>(rect.y - margin),
                         static_cast<float>(rect.width + 2 * margin), static_cast<float>(rect.height + 2 * margin));
  const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(gtk_snapshot_append_cairo(snapshot, &bounds),
                                                                   cairo_destroy);
  cairo_t* cr = context.get();
  addGlyphPath(cr, VeskGlyphShape{kind}.path(rect));
  cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, colour.alpha);
  cairo_set_line_width(cr, lineWidth);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_miter_limit(cr, 10);
  cairo_set_dash(cr, nullptr, 0, 0);
  cairo_stroke(cr);
}

}  // namespace vesk::ui
