#pragma once
// Errors that carry the complete sentence shown to the user as their what().
#include <stdexcept>
#include <string>

namespace vesk {

// A failure the system words itself; the screens show what() unchanged.
class VeskError : public std::runtime_error {
 public:
  explicit VeskError(const std::string& sentence) : std::runtime_error(sentence) {}
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
