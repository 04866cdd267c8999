#pragma once
// Errors that carry the complete sentence shown to the user as their what().
#include <stdexcept>
#include <string>
#include <string_view>

namespace vesk {

// `text` with each NUL byte replaced by U+FFFD. what() is a C string, so a NUL kept in it
// would end the text there and hide the rest.
inline std::string withVisibleNul(std::string text) {
  static constexpr std::string_view replacement = "\xEF\xBF\xBD";
  for (std::size_t nul = text.find('\0'); nul != std::string::npos; nul = text.find('\0', nul + replacement.size()))
    text.replace(nul, 1, replacement);
  return text;
}

// A failure the system words itself; the screens show what() unchanged (a NUL in the
// sentence shows as U+FFFD).
class VeskError : public std::runtime_error {
 public:
  explicit VeskError(const std::string& sentence) : std::runtime_error(withVisibleNul(sentence)) {}
  static VeskError message(const std::string& sentence) { return VeskError(sentence); }
};

// A reply or stored record that breaks the decoding rules. The user sees one sentence;
// detail() says what was wrong, for diagnostics and tests.
class DecodingError : public std::runtime_error {
 public:
  static constexpr const char* sentence = "Vesk returned an unreadable response.";
  explicit DecodingError(std::string detail) : std::runtime_error(sentence), detail_(std::move(detail)) {}
  const std::string& detail() const { return detail_; }

 private:
  std::string detail_;
};

}  // namespace vesk
