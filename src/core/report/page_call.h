#pragma once
// A call of a page function with one JSON value, as the scripts that deliver it to the
// page. A short value travels in one script. A long one (a report of tens of megabytes)
// is cut into pieces, each a script of its own that adds its part to a list in the page,
// and a last script makes the call from the joined text: each hand-over to the web view
// then takes a moment of the main loop, not the time of the whole value.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

inline constexpr std::size_t pageCallPieceBytes = 1024 * 1024;

// The scripts for `before` + value + `after`, where `json` is the value's JSON text in
// UTF-8 and `before`/`after` make the call around it ("window.show(", ")").
std::vector<std::string> pageCallScripts(std::string_view before, std::string_view json, std::string_view after,
                                         std::size_t pieceBytes = pageCallPieceBytes);

}  // namespace vesk
