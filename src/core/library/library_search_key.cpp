#include "core/library/library_search_key.h"

#include "core/text/text_rules.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <string.h>  // memmem

#include <algorithm>

namespace vesk {

namespace {

// The length of the longest prefix of `text` within `limit` bytes that ends at a
// character: UTF-8 continuation bytes are 10xxxxxx.
std::size_t characterCut(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  std::size_t cut = limit;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

std::string folded(std::string_view text) {
  icu::UnicodeString unicode = toUnicode(text);
  unicode.toLower(icu::Locale::getDefault());
  unicode.foldCase();
  return toUtf8(unicode);
}

}  // namespace

std::string librarySearchKey(std::string_view text) {
  // Folding may grow the text (ß → ss): the key is cut again afterwards.
  std::string key = folded(text.substr(0, characterCut(text, librarySearchKeyLimit)));
  key.resize(characterCut(key, librarySearchKeyLimit));
  return key;
}

LibrarySearch::LibrarySearch(std::string_view search) : needle_(folded(trimmedWhiteSpace(search))) {}

bool LibrarySearch::matches(std::string_view key) const {
  if (needle_.empty()) return true;
  if (needle_.size() > key.size()) return false;
  // Both are whole UTF-8 texts, so a byte match starts and ends at characters. The C
  // library's search is about twice as fast as a Horspool search over report-like text.
  return memmem(key.data(), key.size(), needle_.data(), needle_.size()) != nullptr;
}

}  // namespace vesk
