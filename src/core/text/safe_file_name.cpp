#include "core/text/safe_file_name.h"

namespace vesk {

std::string safeFileName(std::string_view proposed, std::string_view fallback) {
  std::string safe;
  safe.reserve(proposed.size());
  for (const unsigned char c : proposed) safe.push_back(c == '/' || c < 0x20 || c == 0x7f ? '-' : char(c));
  if (safe.empty() || safe == "." || safe == "..") return std::string(fallback);
  return safe;
}

}  // namespace vesk
