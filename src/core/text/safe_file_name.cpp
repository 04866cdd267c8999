#include "core/text/safe_file_name.h"

#include "core/text/text_rules.h"

namespace vesk {

namespace {

constexpr std::size_t longestExtension = 16;  // bytes after the dot

// `name` within longestProposedName bytes, its extension kept.
std::string cutToFit(const std::string& name) {
  if (name.size() <= longestProposedName) return name;
  const std::size_t dot = name.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot > 0 && name.size() - dot - 1 <= longestExtension;
  const std::string extension = hasExtension ? name.substr(dot) : std::string();
  const std::string stem = hasExtension ? name.substr(0, dot) : name;
  const std::string cut = prefixWithinBytes(stem, longestProposedName - extension.size());
  // A first character longer than the room (one long cluster of combining marks) leaves
  // no stem: the extension alone would make a hidden file, so nothing is proposed.
  if (cut.empty()) return {};
  return cut + extension;
}

}  // namespace

std::string safeFileName(std::string_view proposed, std::string_view fallback) {
  std::string safe;
  safe.reserve(proposed.size());
  for (const unsigned char c : proposed) safe.push_back(c == '/' || c < 0x20 || c == 0x7f ? '-' : char(c));
  safe = cutToFit(safe);
  if (safe.empty() || safe == "." || safe == "..") return std::string(fallback);
  return safe;
}

}  // namespace vesk
