#include "core/shell/composer_rules.h"

#include "build_config.h"
#include "core/input/audit_url_rules.h"
#include "core/input/parsed_url.h"
#include "core/records/vesk_error.h"
#include "core/text/text_rules.h"
#include "core/workspace/origin_text.h"

#include <glib.h>
#include <unicode/datefmt.h>
#include <unicode/smpdtfmt.h>

#include <algorithm>
#include <memory>

namespace vesk {

namespace {

std::string joinedLines(const std::vector<std::string>& entries) {
  std::string joined;
  for (const auto& entry : entries) {
    if (!joined.empty()) joined += '\n';
    joined += entry;
  }
  return joined;
}

bool hasWebScheme(std::string_view piece) {
  const std::string lower = lowercased(piece);
  return lower.starts_with("http://") || lower.starts_with("https://");
}

bool isDigits(std::string_view text, std::size_t from, std::size_t count) {
  if (from + count > text.size()) return false;
  return std::all_of(text.begin() + from, text.begin() + from + count, [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<std::string> sourceURLs(std::string_view urls) { return splitAtWhiteSpace(urls); }

std::string addressChipTitle(const std::string& entry) {
  const auto parsed = ParsedURL::parse(entry);
  if (parsed && parsed->host && !parsed->host->empty()) return *parsed->host;
  return entry;
}

std::string urlsWithout(std::string_view urls, std::string_view entry) {
  auto entries = sourceURLs(urls);
  std::erase(entries, std::string(entry));
  return joinedLines(entries);
}

std::vector<AuditAttachment> attachmentsWithout(const std::vector<AuditAttachment>& attachments, std::string_view id) {
  std::vector<AuditAttachment> kept;
  for (const auto& attachment : attachments) {
    if (attachment.id() != id) kept.push_back(attachment);
  }
  return kept;
}

DepthPill depthPill(std::string title, std::string mode, const DepthPillInputs& inputs) {
  DepthPill pill;
  pill.selected = inputs.auditMode == mode;
  pill.unavailable = !inputs.fixture && inputs.auditBalance && mode == "full" && *inputs.auditBalance < 1;
  pill.disabled = inputs.busy || pill.unavailable || (inputs.baselineSet && mode != "full");
  pill.opacity = pill.unavailable ? 0.5 : 1;
  pill.title = std::move(title);
  pill.mode = std::move(mode);
  return pill;
}

std::string depthCaption(std::string_view auditMode) {
  return auditMode == "quick" ? "A brief audit · No run counted" : "Eight expert angles · Uses 1 run";
}

std::string submitTitle(const SubmitInputs& inputs) {
  const bool signedOut = !inputs.fixture && !inputs.accountPresent;
  if (inputs.busy) return signedOut ? "Signing in…" : "Preparing…";
  if (inputs.reconnectRequired) return "Reconnect to Vesk";
  return signedOut ? "Sign in to Vesk" : "Vesk";
}

bool submitDisabled(const SubmitInputs& inputs) {
  if (inputs.busy) return true;
  return !inputs.fixture && inputs.accountPresent && !inputs.reconnectRequired && !inputs.hasAuditSources;
}

URLAddition addTypedURLs(std::string_view draft, std::string_view urls, std::int64_t maxURLs) {
  std::vector<std::string> typed;
  for (auto& piece : splitAtWhiteSpace(draft)) typed.push_back(hasWebScheme(piece) ? piece : "https://" + piece);
  std::vector<std::string> valid;
  try {
    valid = validatedURLs(joinedLines(typed), maxURLs);
  } catch (const VeskError& refusal) {
    return {URLAddition::Outcome::refused, {}, refusal.what()};
  }
  if (valid.empty()) return {};
  auto merged = sourceURLs(urls);
  for (auto& address : valid) {
    if (std::find(merged.begin(), merged.end(), address) == merged.end()) merged.push_back(std::move(address));
  }
  std::string text = joinedLines(merged);
  try {
    validatedURLs(text, maxURLs);
  } catch (const VeskError& refusal) {
    return {URLAddition::Outcome::refused, {}, refusal.what()};
  }
  return {URLAddition::Outcome::added, std::move(text), {}};
}

std::string composerLink(const std::optional<std::string>& clientOrigin, std::string_view page) {
  return withoutTrailingSlashes(clientOrigin.value_or(build::serviceOrigin)) + "/" + std::string(page);
}

bool isInternetDateTime(std::string_view text) {
  // YYYY-MM-DDTHH:MM:SS
  if (!isDigits(text, 0, 4) || text.size() < 20 || text[4] != '-' || !isDigits(text, 5, 2) || text[7] != '-' ||
      !isDigits(text, 8, 2) || text[10] != 'T' || !isDigits(text, 11, 2) || text[13] != ':' || !isDigits(text, 14, 2) ||
      text[16] != ':' || !isDigits(text, 17, 2))
    return false;
  std::size_t at = 19;
  if (text[at] == '.') {
    const std::size_t digits = at + 1;
    at = digits;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    if (at == digits) return false;
  }
  if (at == text.size()) return false;
  if (text[at] == 'Z') return at + 1 == text.size();
  if (text[at] != '+' && text[at] != '-') return false;
  return text.size() == at + 6 && isDigits(text, at + 1, 2) && text[at + 3] == ':' && isDigits(text, at + 4, 2);
}

std::optional<std::string> baselineDate(std::string_view createdAt) {
  if (!isInternetDateTime(createdAt)) return std::nullopt;
  const std::string terminated(createdAt);
  GDateTime* read = g_date_time_new_from_iso8601(terminated.c_str(), nullptr);
  if (read == nullptr) return std::nullopt;
  const double millis = static_cast<double>(g_date_time_to_unix(read)) * 1000.0 +
                        static_cast<double>(g_date_time_get_microsecond(read)) / 1000.0;
  g_date_time_unref(read);
  const std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateInstance(icu::DateFormat::kMedium));
  if (!format) return std::nullopt;
  icu::UnicodeString written;
  format->format(millis, written);
  return toUtf8(written);
}

}  // namespace vesk
