#pragma once
// The library's search text, folded once: a record's searchable text lower-cased and
// case-folded as the user's locale does it, in UTF-8 and bounded in length, so that a
// keystroke compares against ready keys instead of folding every report again.
#include <cstddef>
#include <string>
#include <string_view>

namespace vesk {

// How much of a record's folded text a key keeps, in bytes (cut at a character).
inline constexpr std::size_t librarySearchKeyLimit = 16 * 1024;

// `text` folded for searching, at most `librarySearchKeyLimit` bytes.
std::string librarySearchKey(std::string_view text);
// A search, folded once, matched against keys.
class LibrarySearch {
 public:
  // The search trimmed of white space at either end and folded; an empty search matches
  // every key.
  explicit LibrarySearch(std::string_view search);

  const std::string& needle() const { return needle_; }
  bool matches(std::string_view key) const;

 private:
  std::string needle_;
};

}  // namespace vesk
