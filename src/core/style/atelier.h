#pragma once
// The everyday palette the screens and shared styles use by name; each colour is the
// web token of the same name, so the two never diverge.
#include "core/style/vesk_web_tokens.h"

namespace vesk {

struct Atelier {
  Atelier() = delete;

  static constexpr Rgba ivory = VeskWebTokens::ivory;
  static constexpr Rgba ink = VeskWebTokens::ink;
  static constexpr Rgba secondaryInk = VeskWebTokens::secondaryInk;
  static constexpr Rgba muted = VeskWebTokens::muted;
  static constexpr Rgba gold = VeskWebTokens::gold;
  static constexpr Rgba red = VeskWebTokens::red;
  static constexpr Rgba border = VeskWebTokens::border;
};

}  // namespace vesk
