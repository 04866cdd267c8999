#pragma once
// File names proposed in save panels come from data (a project's name, an attachment's
// file name): they must stay one path component.
#include <string>
#include <string_view>

namespace vesk {

// `proposed` with "/" and control characters replaced by "-"; `fallback` when the result
// is empty, "." or "..".
std::string safeFileName(std::string_view proposed, std::string_view fallback);

}  // namespace vesk
