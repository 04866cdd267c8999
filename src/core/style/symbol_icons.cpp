#include "core/style/symbol_icons.h"

#include <algorithm>
#include <array>

namespace vesk {

std::span<const SymbolIcon> SymbolIcons::all() {
  static constexpr std::array<SymbolIcon, 14> table{{
      {"arrow.right", "go-next-symbolic", std::nullopt},
      {"chevron.left", "go-previous-symbolic", std::nullopt},
      {"chevron.down", "go-down-symbolic", std::nullopt},
      {"checkmark", "object-select-symbolic", std::nullopt},
      {"checkmark.circle.fill", "emblem-ok-symbolic", std::nullopt},
      {"circle.inset.filled", "radio-checked-symbolic", std::nullopt},
      {"circle", "radio-symbolic", std::nullopt},
      {"doc", "text-x-generic-symbolic", std::nullopt},
      {"link", "insert-link-symbolic", std::nullopt},
      {"paperclip", "mail-attachment-symbolic", std::nullopt},
      {"slider.vertical.3", "preferences-system-symbolic", std::nullopt},
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
