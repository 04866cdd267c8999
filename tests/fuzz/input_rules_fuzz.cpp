// libFuzzer target: what the user types, through the input rules and the text rules
// beneath them.
//
// Input: the first byte is a budget (a signed byte: URL count, UTF-16 units, characters);
// the rest is the URL field, then after a NUL byte the brief, then after another NUL
// byte a file name (absent without it).
//
// Besides the sanitizers it checks that the rules fail only with their own sentences
// (VeskError), stay within their budgets, that the address scans find what the ICU
// expressions they stand for find, and that text rules given valid UTF-8 keep to what
// they promise (prefixes are prefixes, canonical forms are canonical, file names stay
// one path component).
#include "core/input/answer_options.h"
#include "core/input/audit_input_rules.h"
#include "core/input/audit_url_patterns.h"
#include "core/input/audit_url_rules.h"
#include "core/input/parsed_url.h"
#include "core/records/audit_records.h"
#include "core/records/vesk_error.h"
#include "core/text/safe_file_name.h"
#include "core/text/text_equivalence.h"
#include "core/text/text_rules.h"
#include "support/unicode_pattern.h"

#include <glib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

[[noreturn]] void fault(const char* what, const char* rule) {
  std::fprintf(stderr, "%s: %s\n", rule, what);
  std::abort();
}

void expect(bool holds, const char* what, const char* rule) {
  if (!holds) fault(what, rule);
}

struct Input {
  std::int64_t budget = 0;
  std::string field;
  std::string brief;
  std::optional<std::string> filename;
};

Input split(const std::uint8_t* data, std::size_t size) {
  Input input;
  if (size == 0) return input;
  input.budget = static_cast<std::int8_t>(data[0]);
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto first = rest.find('\0');
  input.field = std::string(rest.substr(0, first));
  if (first == std::string_view::npos) return input;
  const auto second = rest.find('\0', first + 1);
  input.brief = std::string(rest.substr(first + 1, second - first - 1));
  if (second != std::string_view::npos) input.filename = std::string(rest.substr(second + 1));
  return input;
}

bool validUtf8(const std::string& text) {
  return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

std::size_t utf16Length(const std::string& text) { return static_cast<std::size_t>(vesk::utf16Length(text)); }

std::size_t allowed(std::int64_t budget) { return budget < 0 ? 0 : static_cast<std::size_t>(budget); }

void urlRules(const Input& input) {
  std::vector<std::string> urls;
  try {
    urls = vesk::validatedURLs(input.field, input.budget);
    expect(urls.size() <= allowed(input.budget), "more URLs than the budget", "validatedURLs");
    for (const auto& url : urls) {
      expect(!url.empty() && url.find_first_of(" \t\r\n") == std::string::npos, "an empty piece or one with a space",
             "validatedURLs");
    }
  } catch (const vesk::VeskError&) {
  }
  try {
    const auto sources = vesk::auditSourceURLs(input.field, input.brief, input.budget);
    expect(sources.size() <= allowed(input.budget), "more URLs than the budget", "auditSourceURLs");
    expect(std::set<std::string>(sources.begin(), sources.end()).size() == sources.size(), "a repeated URL",
           "auditSourceURLs");
  } catch (const vesk::VeskError&) {
  }
  for (const auto& piece : vesk::splitAtWhiteSpace(input.field)) {
    expect(!piece.empty(), "an empty piece", "splitAtWhiteSpace");
    (void)vesk::ParsedURL::parse(piece);
  }
  const std::string name = vesk::auditProjectName(urls.empty() ? std::vector<std::string>{input.field} : urls,
                                                  input.filename);  // never fails
  expect(!name.empty(), "an empty name", "auditProjectName");
  if (validUtf8(input.field) && (!input.filename || validUtf8(*input.filename))) {
    expect(validUtf8(name), "a name that is not UTF-8", "auditProjectName");
  }
}

// The scans that find addresses in a brief must find exactly what the ICU expressions
// they stand for find, wherever ICU itself gets through the text.
void addressScans(const Input& input) {
  static const vesk::testing::UnicodePattern link(R"re(\bhttps?://[^\s<>\"'`)\]]+)re", UREGEX_CASE_INSENSITIVE);
  static const vesk::testing::UnicodePattern bareDomain(
      R"re((^|[\s(\[<])([a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?(?:\.[a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?)+)(/[^\s<>\"'`)\]]*)?)re",
      UREGEX_CASE_INSENSITIVE);
  const icu::UnicodeString text = vesk::toUnicode(input.brief);
  const auto links = vesk::findLinks(text);
  const auto domains = vesk::findBareDomains(text);
  try {
    std::vector<std::string> expectedLinks;
    for (const auto& match : link.findAll(text)) expectedLinks.push_back(*match[0]);
    std::vector<vesk::BareDomain> expectedDomains;
    for (const auto& match : bareDomain.findAll(text)) expectedDomains.push_back({*match[2], match[3]});
    expect(links == expectedLinks, "not what the expression finds", "findLinks");
    expect(domains == expectedDomains, "not what the expression finds", "findBareDomains");
  } catch (const std::runtime_error&) {
    // ICU gave up on this text; the scans have nothing to be compared with.
  }
}

void textRules(const Input& input) {
  const std::string& text = input.brief;
  const bool utf8 = validUtf8(text);
  const std::string bounded = vesk::boundedAccountText(text, input.budget);
  expect(utf16Length(bounded) <= allowed(input.budget), "past the budget", "boundedAccountText");
  if (utf8) expect(text.starts_with(bounded), "not a prefix", "boundedAccountText");

  const std::size_t count = static_cast<std::uint8_t>(input.budget);
  const std::string characters = vesk::prefixOfCharacters(text, count);
  if (utf8) expect(text.starts_with(characters), "not a prefix", "prefixOfCharacters");
  const std::string within = vesk::prefixWithinUTF16(text, input.budget);
  expect(utf16Length(within) <= allowed(input.budget), "past the budget", "prefixWithinUTF16");

  (void)vesk::lowercased(text);
  const std::string canonical = vesk::canonicalForm(text);
  if (utf8) {
    expect(vesk::canonicalForm(canonical) == canonical, "not stable", "canonicalForm");
    expect(vesk::canonicallyEqual(text, canonical), "not equivalent to its text", "canonicallyEqual");
  }
  (void)vesk::canonicallyEqualOptionals(input.filename, text);

  const std::string trimmed = vesk::trimmedWhiteSpace(text);
  if (utf8) expect(text.find(trimmed) != std::string::npos, "not a part of its text", "trimmedWhiteSpace");
  expect(vesk::trimmedWhiteSpace(trimmed) == trimmed, "not stable", "trimmedWhiteSpace");

  const std::string fileName = vesk::safeFileName(input.filename.value_or(text), "Vesk audit");
  expect(fileName != "" && fileName != "." && fileName != "..", "not a file name", "safeFileName");
  expect(
      std::none_of(fileName.begin(), fileName.end(), [](unsigned char c) { return c == '/' || c < 0x20 || c == 0x7f; }),
      "a separator or control character", "safeFileName");

  const vesk::DiscoveryQuestion question(input.field, vesk::splitAtWhiteSpace(text));
  const auto unique = vesk::uniqueOptions(question);
  expect(unique.size() <= question.options.size(), "more options than offered", "uniqueOptions");
  const auto chosen = vesk::toggleChoice(input.field, unique);
  expect(chosen.size() <= unique.size() + 1, "grew by more than one", "toggleChoice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Input input = split(data, size);
  urlRules(input);
  addressScans(input);
  textRules(input);
  return 0;
}
