#include "ui/style/vesk_outer_shadow.h"

#include "ui/style/gsk_colour.h"

namespace vesk::ui {

void appendVeskOuterShadow(GtkSnapshot* snapshot, const GskRoundedRect& shape, const ShadowLayer& layer) {
  const GdkRGBA colour = gdkColour(layer.colour);
  gtk_snapshot_append_outset_shadow(snapshot, &shape, &colour, static_cast<float>(layer.offsetX),
                                    static_cast<float>(layer.offsetY), 0, static_cast<float>(2 * layer.blurRadius));
}

}  // namespace vesk::ui
