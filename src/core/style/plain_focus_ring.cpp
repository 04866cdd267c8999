#include "core/style/plain_focus_ring.h"

#include "core/style/atelier.h"

namespace vesk {

CssRule PlainFocusRing::outside(const std::string& selector, double gapOutside, double cornerRadius) {
  return std::move(CssRule(selector)
                       .set("outline", cssPx(width) + " solid " + Atelier::gold.cssText())
                       .set("outline-offset", cssPx(gapOutside))
                       .set("border-radius", cssPx(cornerRadius)));
}

std::string PlainFocusRing::inset() { return "inset 0 0 0 " + cssPx(width) + " " + Atelier::gold.cssText(); }

}  // namespace vesk
