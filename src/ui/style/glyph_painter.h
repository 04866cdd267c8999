#pragma once
// Strokes a glyph's outline into a rectangle: line width a 14.6th of the square's side,
// round caps and joins, no dash.
#include "core/style/rgba.h"
#include "core/style/vesk_glyph_shape.h"

#include <cairo.h>
#include <gtk/gtk.h>

namespace vesk::ui {

// Replaces the cairo context's path with `path`.
void addGlyphPath(cairo_t* cr, const GlyphPath& path);

// Strokes the glyph in `colour`; `rect` is normally a square.
void appendGlyph(GtkSnapshot* snapshot, VeskGlyphKind kind, const Rect& rect, const Rgba& colour);

}  // namespace vesk::ui
