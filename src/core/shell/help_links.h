#pragma once
// The Help menu's links: fixed pages under the service origin built into the
// application, whatever origin the workspace is connected to.
#include <array>
#include <string>
#include <string_view>

namespace vesk {

struct HelpLink {
  std::string_view label;
  std::string_view path;
};

struct HelpLinks {
  HelpLinks() = delete;

  static constexpr HelpLink howItWorks{"How it works", "/#how-it-works"};
  // The links of the menu's about section, in menu order.
  static constexpr std::array<HelpLink, 5> about{{{"About Vesk", "/"},
                                                  {"MCP connections", "/mcp/connections"},
                                                  {"Figma", "/figma"},
                                                  {"Privacy", "/privacy"},
                                                  {"Terms", "/terms"}}};

  // `path` under `origin` (an origin given with a trailing "/" gains no second one).
  static std::string address(std::string_view origin, std::string_view path);
  // `path` under the build's service origin.
  static std::string builtInAddress(std::string_view path);
};

}  // namespace vesk
