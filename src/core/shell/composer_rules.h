#pragma once
// The composer's pure rules: the address entries of the draft and their chips, removing
// a chip, the depth pills, the submit button, adding typed addresses, the two links and
// the comparison baseline's date. Every split at white space is the Unicode White_Space
// split of core/text.
#include "core/records/audit_records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The entries of the draft's address text: split at white space, empty pieces dropped,
// order and repeats kept.
std::vector<std::string> sourceURLs(std::string_view urls);

// An address chip's title: the host of an entry that parses with one, else the entry.
std::string addressChipTitle(const std::string& entry);

// The address text without every entry equal to `entry`, one entry a line.
std::string urlsWithout(std::string_view urls, std::string_view entry);

// The attachments without every one whose identity is `id`, the others in order.
std::vector<AuditAttachment> attachmentsWithout(const std::vector<AuditAttachment>& attachments, std::string_view id);

struct DepthPillInputs {
  std::string auditMode;
  bool fixture = false;
  // The account's count of full audits left; nothing without an account.
  std::optional<std::int64_t> auditBalance;
  bool busy = false;
  bool baselineSet = false;
};

struct DepthPill {
  std::string title;
  std::string mode;
  bool selected = false;
  bool unavailable = false;
  bool disabled = false;
  double opacity = 1;
  bool operator==(const DepthPill&) const = default;
};

// The pill for `mode` ("quick" or "full").
DepthPill depthPill(std::string title, std::string mode, const DepthPillInputs& inputs);
// The caption beside the pills for the selected mode.
std::string depthCaption(std::string_view auditMode);

struct SubmitInputs {
  bool busy = false;
  bool reconnectRequired = false;
  bool fixture = false;
  bool accountPresent = false;
  bool hasAuditSources = false;
};

std::string submitTitle(const SubmitInputs& inputs);
bool submitDisabled(const SubmitInputs& inputs);

// What adding the address row's text does to the draft's addresses.
struct URLAddition {
  enum class Outcome { added, nothing, refused };
  Outcome outcome = Outcome::nothing;
  std::string urls;   // the new address text, one a line (added)
  std::string error;  // the refusal's sentence (refused)
};
// Pieces without "http://" or "https://" (any letter case) gain "https://"; the typed
// list and then the merged list must pass the address rules within `maxURLs`; pieces
// already held (exact text) are not added again.
URLAddition addTypedURLs(std::string_view draft, std::string_view urls, std::int64_t maxURLs);

// A page of the site: `page` under the client's origin, else under the build's origin.
std::string composerLink(const std::optional<std::string>& clientOrigin, std::string_view page);

// Whether `text` is an internet date and time: "YYYY-MM-DDTHH:MM:SS", optional fraction
// of a second, then "Z" or a "+HH:MM" / "-HH:MM" offset, nothing else.
bool isInternetDateTime(std::string_view text);
// A baseline's date as the user's locale abbreviates it, in the local time zone; nothing
// for a time that is not an internet date and time.
std::optional<std::string> baselineDate(std::string_view createdAt);

}  // namespace vesk
