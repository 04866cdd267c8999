#include "ui/style/gsk_colour.h"

#include "core/style/glass_recipe.h"

namespace vesk::ui {

GskRoundedRect roundedRect(const graphene_rect_t& bounds, double radius) {
  const auto r = static_cast<float>(GlassRecipe::cornerRadius(radius, bounds.size.width, bounds.size.height));
  GskRoundedRect rect;
  gsk_rounded_rect_init_from_rect(&rect, &bounds, r);
  return rect;
}

}  // namespace vesk::ui
