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

std::string lastLabel(std::string_view host) {
  while (!host.empty() && host.back() == '.') host.remove_suffix(1);
  const auto dot = host.rfind('.');
  return std::string(dot == std::string_view::npos ? host : host.substr(dot + 1));
}

// The joined list of an audit's URLs. Repeats are the same text up to canonical
// equivalence; the first one stays. Fails as soon as the list outgrows the cap: it only
// grows, so the outcome is the one a count at the end would give, and a brief of many
// addresses costs no more than it takes to find the first few over the cap.
class SourceList {
 public:
  explicit SourceList(std::int64_t maxCount) : maxCount_(maxCount) {}

  void add(std::string url) {
    if (!seen_.insert(canonicalForm(url)).second) return;
    if (static_cast<std::int64_t>(urls_.size()) >= maxCount_) throw VeskError(tooManyURLsSentence(maxCount_));
    urls_.push_back(std::move(url));
  }

  // Adds a candidate found in the brief, trimmed, when it passes the field rule. A text
  // already checked is skipped: it was kept before or failed before.
  void addFromBrief(std::string_view candidate) {
    const std::string text(trimmed(candidate));
    if (!checked_.insert(text).second) return;
    try {
      validatedURLs(text, briefCandidateLimit);
    } catch (const VeskError&) {
      return;
    }
    add(text);
  }

  std::vector<std::string> take() { return std::move(urls_); }

 private:
  std::int64_t maxCount_;
  std::vector<std::string> urls_;
  std::unordered_set<std::string> seen_;
  std::unordered_set<std::string> checked_;
};

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
  SourceList urls(maxCount);
  for (auto& url : validatedURLs(urlField, maxCount)) urls.add(std::move(url));
  const icu::UnicodeString unicodeBrief = toUnicode(brief);
  for (const auto& link : findLinks(unicodeBrief)) urls.addFromBrief(link);
  for (const auto& domain : findBareDomains(unicodeBrief)) {
    if (!isKnownTopLevelDomain(lowercased(lastLabel(domain.host)))) continue;
    urls.addFromBrief(std::string(bareDomainScheme) + domain.host + domain.path.value_or(""));
  }
  return urls.take();
}

}  // namespace vesk
