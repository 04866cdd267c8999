#pragma once
// Writing a long text as a JSON string without holding its escaped form whole: the
// pieces come out in order and together are exactly what the JSON library's dump()
// writes for the same text.
#include <functional>
#include <string_view>

namespace vesk {

using TextSink = std::function<void(std::string_view piece)>;

// Gives `sink` the text as a JSON string, quotes included. Throws the JSON library's
// error, as dump() does, when the text is not UTF-8.
void writeJsonString(std::string_view text, const TextSink& sink);

}  // namespace vesk
