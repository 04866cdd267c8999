#include "core/input/audit_url_rules.h"

#include "core/input/audit_url_patterns.h"
#include "core/input/parsed_url.h"
#include "core/records/vesk_error.h"
#include "core/text/text_rules.h"

#include <algorithm>
#include <unordered_set>

namespace vesk {

namespace {

constexpr std::string_view knownTopLevelDomains =
    "com net org io ai app co dev tv me us uk ca de fr jp au in studio design xyz so sh gg gov edu tech";
constexpr std::string_view trimmedFromBriefURLs = ".,;:!?";
constexpr std::string_view bareDomainScheme = "https://";
constexpr std::int64_t briefCandidateLimit = 5;

bool isKnownTopLevelDomain(const std::string& label) {
  static const std::unordered_set<std::string> domains = [] {
    std::unordered_set<std::string> set;
    std::string_view rest = knownTopLevelDomains;
    while (!rest.empty()) {
      const auto space = rest.find(' ');
      set.emplace(rest.substr(0, space));
      rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    return set;
  }();
  return domains.contains(label);
}

bool isAuditableURL(std::string_view piece) {
  const auto url = ParsedURL::parse(piece);
  return url && (url->scheme == "http" || url->scheme == "https") && url->host && !url->hasUserInfo;
}

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(trimmedFromBriefURLs);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(trimmedFromBriefURLs);
  return text.substr(first, last - first + 1);
}

// Adds the trimmed candidate to `found` when it passes the field rule.
void keepIfValid(std::string_view candidate, std::vector<std::string>& found) {
  const std::string_view text = trimmed(candidate);
  try {
    validatedURLs(text, briefCandidateLimit);
  } catch (const VeskError&) {
    return;
  }
  found.emplace_back(text);
}

std::string lastLabel(std::string_view host) {
  while (!host.empty() && host.back() == '.') host.remove_suffix(1);
  const auto dot = host.rfind('.');
  return std::string(dot == std::string_view::npos ? host : host.substr(dot + 1));
}

std::vector<std::string> briefLinks(const icu::UnicodeString& brief) {
  std::vector<std::string> found;
  for (const auto& match : linkPattern().findAll(brief)) keepIfValid(*match[0], found);
  return found;
}

std::vector<std::string> briefBareDomains(const icu::UnicodeString& brief) {
  std::vector<std::string> found;
  for (const auto& match : bareDomainPattern().findAll(brief, mayStartBareDomain)) {
    const std::string& host = *match[2];
    if (!isKnownTopLevelDomain(lowercased(lastLabel(host)))) continue;
    keepIfValid(std::string(bareDomainScheme) + host + match[3].value_or(""), found);
  }
  return found;
}

}  // namespace

std::string tooManyURLsSentence(std::int64_t maxCount) {
  return "This audit covers up to " + std::to_string(maxCount) + " URLs.";
}

std::vector<std::string> validatedURLs(std::string_view text, std::int64_t maxCount) {
  std::vector<std::string> pieces = splitAtWhiteSpace(text);
  if (static_cast<std::int64_t>(pieces.size()) > maxCount) throw VeskError(tooManyURLsSentence(maxCount));
  if (!std::all_of(pieces.begin(), pieces.end(), isAuditableURL)) throw VeskError(invalidURLSentence);
  return pieces;
}

std::vector<std::string> auditSourceURLs(std::string_view urlField, std::string_view brief, std::int64_t maxCount) {
  std::vector<std::string> candidates = validatedURLs(urlField, maxCount);
  const icu::UnicodeString unicodeBrief = toUnicode(brief);
  for (auto* pass : {&briefLinks, &briefBareDomains}) {
    auto found = pass(unicodeBrief);
    candidates.insert(candidates.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
  }
  // Repeats are the same text up to canonical equivalence; the first one stays.
  std::vector<std::string> urls;
  std::unordered_set<std::string> seen;
  for (auto& url : candidates) {
    if (seen.insert(canonicalForm(url)).second) urls.push_back(std::move(url));
  }
  if (static_cast<std::int64_t>(urls.size()) > maxCount) throw VeskError(tooManyURLsSentence(maxCount));
  return urls;
}

}  // namespace vesk
