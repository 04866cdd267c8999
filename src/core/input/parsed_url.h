#pragma once
// The parts of an absolute URL text that the input checks look at. Parsing rewrites
// nothing but the scheme's letter case: the host keeps its letters as written.
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

struct ParsedURL {
  std::string scheme;  // lower case
  // The host with percent-escapes decoded where they decode to UTF-8 text; absent
  // when the URL has no authority or an empty one.
  std::optional<std::string> host;
  // True for any user-info, even an empty one before "@".
  bool hasUserInfo = false;

  // Nothing when `text` is not an absolute URL the parser accepts.
  static std::optional<ParsedURL> parse(std::string_view text);
};

}  // namespace vesk
