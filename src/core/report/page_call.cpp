#include "core/report/page_call.h"

#include <nlohmann/json.hpp>

namespace vesk {

namespace {

// Where a piece that starts at `start` ends: at most `pieceBytes` on, never inside a
// UTF-8 sequence.
std::size_t pieceEnd(std::string_view text, std::size_t start, std::size_t pieceBytes) {
  std::size_t end = std::min(text.size(), start + pieceBytes);
  while (end < text.size() && end > start + 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return end;
}

std::string stringLiteral(std::string_view text) {
  return nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::vector<std::string> pageCallScripts(std::string_view before, std::string_view json, std::string_view after,
                                         std::size_t pieceBytes) {
  std::vector<std::string> scripts;
  if (json.size() <= pieceBytes || pieceBytes == 0) {
    scripts.push_back(std::string(before) + std::string(json) + std::string(after));
    return scripts;
  }
  for (std::size_t start = 0; start < json.size();) {
    const std::size_t end = pieceEnd(json, start, pieceBytes);
    const std::string literal = stringLiteral(json.substr(start, end - start));
    // The first piece starts the list afresh: pieces of a delivery cut short are dropped.
    scripts.push_back(start == 0 ? "window.veskPieces=[" + literal + "]" : "window.veskPieces.push(" + literal + ")");
    start = end;
  }
  scripts.push_back(std::string(before) + "JSON.parse(window.veskPieces.splice(0).join(''))" + std::string(after));
  return scripts;
}

}  // namespace vesk
