#include "core/text/json_string_pieces.h"

#include <glib.h>
#include <nlohmann/json.hpp>

#include <array>
#include <string>

namespace vesk {

namespace {

// The escape the JSON library writes for an ASCII byte, or nothing for one it copies.
std::string_view escapeFor(unsigned char byte, std::array<char, 7>& scratch) {
  switch (byte) {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '\b': return "\\b";
    case '\f': return "\\f";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: break;
  }
  if (byte > 0x1F) return {};
  static constexpr char hex[] = "0123456789abcdef";
  scratch = {'\\', 'u', '0', '0', hex[byte >> 4], hex[byte & 0xF], '\0'};
  return {scratch.data(), 6};
}

}  // namespace

void writeJsonString(std::string_view text, const TextSink& sink) {
  // GLib refuses NUL bytes, which JSON escapes: let the library judge (and escape, or
  // refuse with its own error) any text GLib does not take.
  if (!g_utf8_validate_len(text.data(), text.size(), nullptr)) {
    sink(nlohmann::json(std::string(text)).dump());
    return;
  }
  sink("\"");
  std::array<char, 7> scratch{};
  std::size_t copied = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto escape = escapeFor(static_cast<unsigned char>(text[at]), scratch);
    if (escape.empty()) continue;
    if (at > copied) sink(text.substr(copied, at - copied));
    sink(escape);
    copied = at + 1;
  }
  if (text.size() > copied) sink(text.substr(copied));
  sink("\"");
}

}  // namespace vesk
