#include "core/workspace/screen.h"

#include <array>

namespace vesk {

namespace {
constexpr std::array<std::string_view, 8> rawValues = {"home",     "input",  "discovery", "review",
                                                       "progress", "report", "account",   "library"};
}

std::string_view rawValue(Screen screen) { return rawValues.at(static_cast<std::size_t>(screen)); }

std::optional<Screen> screenFromRawValue(std::string_view raw) {
  for (std::size_t i = 0; i < rawValues.size(); ++i)
    if (rawValues[i] == raw) return static_cast<Screen>(i);
  return std::nullopt;
}

bool isRunScreen(Screen screen) {
  return screen == Screen::discovery || screen == Screen::review || screen == Screen::progress ||
         screen == Screen::report;
}

}  // namespace vesk
