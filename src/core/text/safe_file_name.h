#pragma once
// File names proposed in save panels come from data (a project's name, an attachment's
// file name): they must stay one path component, short enough for the folder to take.
#include <cstddef>
#include <string>
#include <string_view>

namespace vesk {

// The most a proposal takes: file systems take 255 bytes a name, and the rest leaves the
// user room to lengthen it.
inline constexpr std::size_t longestProposedName = 200;  // UTF-8 bytes

// `proposed` with "/" and control characters replaced by "-", cut to longestProposedName
// bytes between user-perceived characters with its extension (a last "." and up to 16
// bytes after it) kept; `fallback` when the result is empty, "." or "..", or when not even
// the first character fits.
std::string safeFileName(std::string_view proposed, std::string_view fallback);

}  // namespace vesk
