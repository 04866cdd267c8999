#pragma once
// An elevation shadow drawn only outside a rounded shape, so it never darkens the
// translucent glass above it.
#include "core/style/glass_recipe.h"

#include <gtk/gtk.h>

namespace vesk::ui {

// GSK's outset shadow leaves the inside of its outline untouched, which is the masking
// the shadow needs. Its blur radius is twice the Gaussian's standard deviation.
void appendVeskOuterShadow(GtkSnapshot* snapshot, const GskRoundedRect& shape, const ShadowLayer& layer);

}  // namespace vesk::ui
