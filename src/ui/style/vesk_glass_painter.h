#pragma once
// Draws the glass of a role behind content: elevation shadows, then, clipped to the
// rounded shape, the frosted backing, the fill, the directional light, the rim and the
// fine highlight and ambient lines. GTK cannot blur what lies behind a widget, so the
// backing is a translucent frosted wash; with Reduce Transparency the fill is solid.
#include "core/style/accessibility_state.h"
#include "core/style/glass_recipe.h"

#include <gtk/gtk.h>

namespace vesk::ui {

struct GlassAppearance {
  double radius;
  VeskGlassRole role;
  AccessibilityState accessibility;
  bool rightToLeft = false;  // leading and trailing swap sides
};

void appendVeskGlass(GtkSnapshot* snapshot, const graphene_rect_t& bounds, const GlassAppearance& glass);

}  // namespace vesk::ui
