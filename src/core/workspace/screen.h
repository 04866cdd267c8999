#pragma once
// The screens of the application window, in their fixed order.
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

enum class Screen { home, input, discovery, review, progress, report, account, library };

std::string_view rawValue(Screen screen);
std::optional<Screen> screenFromRawValue(std::string_view raw);

// The screens that show a run: a late run read may move the window only among these.
bool isRunScreen(Screen screen);

}  // namespace vesk
