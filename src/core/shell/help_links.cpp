#include "core/shell/help_links.h"

#include "build_config.h"
#include "core/workspace/origin_text.h"

namespace vesk {

std::string HelpLinks::address(std::string_view origin, std::string_view path) {
  return withoutTrailingSlashes(origin) + std::string(path);
}

std::string HelpLinks::builtInAddress(std::string_view path) { return address(build::serviceOrigin, path); }

}  // namespace vesk
