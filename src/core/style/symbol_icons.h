#pragma once
// The platform symbol names the screens ask for ("arrow.right", "paperclip", ...) and
// what stands in for each here: a symbolic icon of the desktop's icon theme (Adwaita),
// one of the application's own symbolic icons where the theme has none of the same
// meaning, or one of its glyphs.
#include "core/style/vesk_glyph_shape.h"

#include <optional>
#include <span>
#include <string_view>

namespace vesk {

struct SymbolIcon {
  std::string_view symbol;
  std::string_view iconName;  // empty when a glyph stands in
  std::optional<VeskGlyphKind> glyph;
};

struct SymbolIcons {
  SymbolIcons() = delete;

  static std::span<const SymbolIcon> all();
  // Nothing for a name the table does not hold.
  static std::optional<SymbolIcon> find(std::string_view symbol);
};

}  // namespace vesk
