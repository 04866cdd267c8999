#include "core/input/audit_input_rules.h"

#include "core/input/parsed_url.h"
#include "core/text/text_equivalence.h"
#include "core/text/text_rules.h"

#include <algorithm>

namespace vesk {

namespace {

constexpr std::string_view hostPrefixLeftOut = "www.";

// The first URL's host without "www.", or nothing when it yields no name. Later URLs
// are never consulted.
std::optional<std::string> nameFromFirstURL(const std::vector<std::string>& urls) {
  if (urls.empty()) return std::nullopt;
  const auto url = ParsedURL::parse(urls.front());
  if (!url || !url->host) return std::nullopt;
  std::string_view host = *url->host;
  if (host.starts_with(hostPrefixLeftOut)) host.remove_prefix(hostPrefixLeftOut.size());
  // A host of just "www." leaves nothing to name the project after.
  if (host.empty()) return std::nullopt;
  return std::string(host);
}

std::string withoutExtension(const std::string& filename) {
  const auto dot = filename.rfind('.');
  return dot == std::string::npos ? filename : filename.substr(0, dot);
}

}  // namespace

std::string auditProjectName(const std::vector<std::string>& urls, const std::optional<std::string>& filename) {
  std::string name = nameFromFirstURL(urls).value_or(filename ? withoutExtension(*filename) : untitledAuditName);
  if (name.empty()) name = untitledAuditName;
  return prefixOfCharacters(name, longestProjectName);
}

std::vector<std::string> toggleChoice(const std::string& answer, const std::vector<std::string>& chosen) {
  const auto isAnswer = [&](const std::string& entry) { return canonicallyEqual(entry, answer); };
  if (std::any_of(chosen.begin(), chosen.end(), isAnswer)) {
    std::vector<std::string> remaining;
    std::copy_if(chosen.begin(), chosen.end(), std::back_inserter(remaining),
                 [&](const auto& e) { return !isAnswer(e); });
    return remaining;
  }
  if (chosen.size() >= mostAnswersPerQuestion) return chosen;
  std::vector<std::string> extended = chosen;
  extended.push_back(answer);
  return extended;
}

std::string boundedAccountText(std::string_view text, std::int64_t maxUTF16) {
  return prefixWithinUTF16(text, maxUTF16);
}

}  // namespace vesk
