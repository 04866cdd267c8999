#include "core/style/symbol_icons.h"

#include <algorithm>
#include <array>

namespace vesk {

std::span<const SymbolIcon> SymbolIcons::all() {
  // Names starting "vesk-" are the application's own symbolic icons (resources/icons),
  // drawn where the theme has none of the same meaning (its "go-next" is a chevron).
  static constexpr std::array<SymbolIcon, 14> table{{
      {"arrow.right", "vesk-arrow-right-symbolic", std::nullopt},
      {"chevron.left", "go-previous-symbolic", std::nullopt},
      {"chevron.down", "go-down-symbolic", std::nullopt},
      {"checkmark", "object-select-symbolic", std::nullopt},
      {"checkmark.circle.fill", "vesk-checkmark-circle-fill-symbolic", std::nullopt},
      {"circle.inset.filled", "radio-checked-symbolic", std::nullopt},
      {"circle", "vesk-circle-symbolic", std::nullopt},
      {"doc", "text-x-generic-symbolic", std::nullopt},
      {"link", "vesk-link-symbolic", std::nullopt},
      {"paperclip", "mail-attachment-symbolic", std::nullopt},
      {"slider.vertical.3", "vesk-slider-vertical-3-symbolic", std::nullopt},
      {"power", "system-shutdown-symbolic", std::nullopt},
      {"trash", "user-trash-symbolic", std::nullopt},
      // A four-pointed star: the audit glyph draws one.
      {"sparkle", "", VeskGlyphKind::audit},
  }};
  return table;
}

std::optional<SymbolIcon> SymbolIcons::find(std::string_view symbol) {
  const auto table = all();
  const auto found = std::find_if(table.begin(), table.end(), [&](const SymbolIcon& s) { return s.symbol == symbol; });
  if (found == table.end()) return std::nullopt;
  return *found;
}

}  // namespace vesk
