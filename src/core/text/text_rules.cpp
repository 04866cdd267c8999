#include "core/text/text_rules.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <memory>
#include <stdexcept>

namespace vesk {

namespace {

// One character break iterator per thread: creating one costs far more than a short
// text takes to walk, and an iterator must not be shared between threads. Its text is
// set by each use.
icu::BreakIterator& characterIterator() {
  thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> created(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !created) throw std::runtime_error("ICU character breaks are unavailable");
    return created;
  }();
  return *iterator;
}

icu::BreakIterator& characterBreaks(const icu::UnicodeString& text) {
  icu::BreakIterator& iterator = characterIterator();
  iterator.setText(text);
  return iterator;
}

// Calls `visit(start, end)` for each user-perceived character of `text` (UTF-16
// offsets) until it returns false.
template <class Visit>
void forEachCharacter(const icu::UnicodeString& text, Visit visit) {
  icu::BreakIterator& breaks = characterBreaks(text);
  int32_t start = breaks.first();
  for (int32_t end = breaks.next(); end != icu::BreakIterator::DONE; start = end, end = breaks.next()) {
    if (!visit(start, end)) return;
  }
}

}  // namespace

icu::UnicodeString toUnicode(std::string_view utf8) {
  return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
}

std::string toUtf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

std::vector<std::string> splitAtWhiteSpace(std::string_view text) {
  const icu::UnicodeString unicode = toUnicode(text);
  std::vector<std::string> pieces;
  int32_t pieceStart = 0;
  auto closePiece = [&](int32_t end) {
    if (end > pieceStart) pieces.push_back(toUtf8(unicode.tempSubStringBetween(pieceStart, end)));
  };
  // By code point, not by character: a character may hold white space after its first
  // code point (a prepended mark takes the following space into its cluster).
  for (int32_t index = 0; index < unicode.length(); index = unicode.moveIndex32(index, 1)) {
    if (u_isUWhiteSpace(unicode.char32At(index))) {
      closePiece(index);
      pieceStart = unicode.moveIndex32(index, 1);
    }
  }
  closePiece(unicode.length());
  return pieces;
}

std::string prefixOfCharacters(std::string_view text, std::size_t count) {
  const icu::UnicodeString unicode = toUnicode(text);
  int32_t taken = 0;
  std::size_t characters = 0;
  forEachCharacter(unicode, [&](int32_t, int32_t end) {
    if (characters == count) return false;
    ++characters;
    taken = end;
    return true;
  });
  return toUtf8(unicode.tempSubString(0, taken));
}

std::string prefixWithinUTF16(std::string_view text, std::int64_t maxUTF16) {
  if (maxUTF16 <= 0) return {};
  const icu::UnicodeString unicode = toUnicode(text);
  int32_t taken = 0;
  forEachCharacter(unicode, [&](int32_t, int32_t end) {
    // The prefix up to `end` is exactly the running total of character lengths.
    if (end > maxUTF16) return false;
    taken = end;
    return true;
  });
  return toUtf8(unicode.tempSubString(0, taken));
}

std::string prefixWithinBytes(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  // Walked over the UTF-8 itself, so the boundaries are byte offsets into `text`.
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UText, decltype(&utext_close)> utf8(
      utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status), &utext_close);
  if (U_FAILURE(status)) throw std::runtime_error("ICU cannot read the text");
  icu::BreakIterator& breaks = characterIterator();
  breaks.setText(utf8.get(), status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU cannot read the text");
  std::size_t taken = 0;
  for (int32_t end = breaks.next(); end != icu::BreakIterator::DONE; end = breaks.next()) {
    if (static_cast<std::size_t>(end) > maxBytes) break;
    taken = static_cast<std::size_t>(end);
  }
  return std::string(text.substr(0, taken));
}

std::int64_t utf16Length(std::string_view text) { return toUnicode(text).length(); }

std::string trimmedWhiteSpace(std::string_view text) {
  // Walks the UTF-8 from both ends, so a long text costs only its outer white space.
  const char* bytes = text.data();
  const auto length = static_cast<int32_t>(text.size());
  int32_t start = 0;
  while (start < length) {
    int32_t next = start;
    UChar32 c = 0;
    U8_NEXT(bytes, next, length, c);
    if (c < 0 || !u_isUWhiteSpace(c)) break;
    start = next;
  }
  int32_t end = length;
  while (end > start) {
    int32_t previous = end;
    UChar32 c = 0;
    U8_PREV(bytes, start, previous, c);
    if (c < 0 || !u_isUWhiteSpace(c)) break;
    end = previous;
  }
  return std::string(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
}

std::string lowercased(std::string_view text) {
  icu::UnicodeString unicode = toUnicode(text);
  unicode.toLower(icu::Locale::getRoot());
  return toUtf8(unicode);
}

std::string uppercased(std::string_view text) {
  icu::UnicodeString unicode = toUnicode(text);
  unicode.toUpper(icu::Locale::getRoot());
  return toUtf8(unicode);
}

std::string canonicalForm(std::string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU normalisation data is unavailable");
  const icu::UnicodeString normalized = nfc->normalize(toUnicode(text), status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU could not normalise a text");
  return toUtf8(normalized);
}

}  // namespace vesk
