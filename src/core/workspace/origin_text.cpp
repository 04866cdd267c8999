#include "core/workspace/origin_text.h"

namespace vesk {

std::string withoutTrailingSlashes(std::string_view text) {
  while (!text.empty() && text.back() == '/') text.remove_suffix(1);
  return std::string(text);
}

std::string withoutSurroundingSlashes(std::string_view text) {
  while (!text.empty() && text.front() == '/') text.remove_prefix(1);
  return withoutTrailingSlashes(text);
}

}  // namespace vesk
