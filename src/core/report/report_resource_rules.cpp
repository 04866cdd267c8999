// ReportResources: which evidence URLs the page may load, and the rewrite of the report's
// evidence links to such URLs.
#include "core/report/report_resources.h"

#include <glib.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <vector>

namespace vesk {

namespace {

constexpr std::string_view attachmentsKind = "attachments";
constexpr std::string_view screenshotKind = "url-shot";
constexpr std::string_view resourcePrefix = "vesk-resource://report/";

struct UriDeleter {
  void operator()(GUri* uri) const { g_uri_unref(uri); }
};
using UriPtr = std::unique_ptr<GUri, UriDeleter>;

bool isRunIDCharacter(char c) { return g_ascii_isalnum(c) || c == '_' || c == '-'; }

// How many evidence items of a kind a run can have.
std::optional<unsigned long> indexLimit(std::string_view kind) {
  if (kind == attachmentsKind) return 7;
  if (kind == screenshotKind) return 8;
  return std::nullopt;
}

// A non-negative integer written in its one decimal form ("0", "7", "12"; not "", "+1",
// "-0", "06" or "1.0").
std::optional<unsigned long> canonicalIndex(std::string_view text) {
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return g_ascii_isdigit(c); }))
    return std::nullopt;
  if (text.size() > 1 && text.front() == '0') return std::nullopt;
  unsigned long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The path of a URL of the scheme with the host "report" and nothing else: no user,
// password, port, query, fragment or percent escape.
std::optional<std::string> schemePath(std::string_view url) {
  // The scheme as written: the parser lowercases what it returns.
  if (!url.starts_with(ReportResources::scheme) || url.substr(ReportResources::scheme.size(), 1) != ":")
    return std::nullopt;
  // No percent escape anywhere: the parser would decode some of them (an escaped "1" in
  // the index, an escaped letter in the host) before the checks below could see them.
  if (url.find_first_of(std::string_view("%\0", 2)) != std::string_view::npos) return std::nullopt;
  const std::string text(url);
  const UriPtr uri(g_uri_parse(text.c_str(), G_URI_FLAGS_ENCODED, nullptr));
  if (!uri) return std::nullopt;
  if (g_strcmp0(g_uri_get_scheme(uri.get()), "vesk-resource") != 0) return std::nullopt;
  if (g_strcmp0(g_uri_get_host(uri.get()), "report") != 0) return std::nullopt;
  if (g_uri_get_user(uri.get()) || g_uri_get_password(uri.get()) || g_uri_get_port(uri.get()) != -1 ||
      g_uri_get_query(uri.get()) || g_uri_get_fragment(uri.get()))
    return std::nullopt;
  return std::string(g_uri_get_path(uri.get()));
}

bool consume(std::string_view text, std::size_t& at, std::string_view literal) {
  if (text.substr(at, literal.size()) != literal) return false;
  at += literal.size();
  return true;
}

// Unicode white space (the White_Space property) starting at byte `at`.
bool isWhiteSpaceAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return false;
  auto index = static_cast<int32_t>(at);
  UChar32 c = 0;
  U8_NEXT(reinterpret_cast<const uint8_t*>(text.data()), index, static_cast<int32_t>(text.size()), c);
  return c >= 0 && u_isUWhiteSpace(c);
}

// What may follow a link's index: ")", ">" or white space, optionally after a
// "#vesk-box=" fragment of digits and commas. Reads ahead only.
bool closesLink(std::string_view text, std::size_t at) {
  if (consume(text, at, "#vesk-box=")) {
    const std::size_t start = at;
    while (at < text.size() && (g_ascii_isdigit(text[at]) || text[at] == ',')) ++at;
    if (at == start) return false;
  }
  if (at < text.size() && (text[at] == ')' || text[at] == '>')) return true;
  return isWhiteSpaceAt(text, at);
}

// One evidence link: its bytes [start, end) are the opening bracket through the index.
struct EvidenceLink {
  std::size_t start = 0;
  std::size_t end = 0;
  std::string_view kind;
  std::string_view index;
};

// The link of `runID` opened at `start` ("(" or "<"), if one is there.
std::optional<EvidenceLink> linkAt(std::string_view text, std::size_t start, std::string_view runID) {
  std::size_t at = start + 1;
  if (!consume(text, at, "/api/")) return std::nullopt;
  std::string_view kind;
  for (const std::string_view candidate : {attachmentsKind, screenshotKind}) {
    if (consume(text, at, candidate)) {
      kind = candidate;
      break;
    }
  }
  if (kind.empty() || !consume(text, at, "/") || !consume(text, at, runID) || !consume(text, at, "/"))
    return std::nullopt;
  const std::size_t digits = at;
  while (at < text.size() && g_ascii_isdigit(text[at])) ++at;
  // Giving back digits never helps: a digit cannot close a link.
  if (at == digits || !closesLink(text, at)) return std::nullopt;
  return EvidenceLink{start, at, kind, text.substr(digits, at - digits)};
}

// Every link of `runID` in `text`, in order. Links never overlap: none holds a bracket.
std::vector<EvidenceLink> evidenceLinks(std::string_view text, std::string_view runID) {
  std::vector<EvidenceLink> links;
  for (std::size_t at = text.find_first_of("(<"); at != std::string_view::npos; at = text.find_first_of("(<", at)) {
    if (auto link = linkAt(text, at, runID)) {
      links.push_back(*link);
      at = link->end;
    } else {
      ++at;
    }
  }
  return links;
}

}  // namespace

bool ReportResources::validRunID(std::string_view text) {
  // The whole text must be of the class: a trailing line break fails too.
  return !text.empty() && text.size() <= longestRunID && std::all_of(text.begin(), text.end(), isRunIDCharacter);
}

std::optional<std::string> ReportResources::resourcePath(std::string_view url,
                                                         const std::optional<std::string>& runID) {
  if (!runID || !validRunID(*runID)) return std::nullopt;
  const auto path = schemePath(url);
  if (!path) return std::nullopt;
  const std::string_view pieces = *path;
  if (!pieces.starts_with('/')) return std::nullopt;
  const std::size_t kindEnd = pieces.find('/', 1);
  if (kindEnd == std::string_view::npos) return std::nullopt;
  const std::string_view kind = pieces.substr(1, kindEnd - 1);
  const std::string_view indexText = pieces.substr(kindEnd + 1);
  if (indexText.find('/') != std::string_view::npos) return std::nullopt;
  const auto limit = indexLimit(kind);
  const auto index = canonicalIndex(indexText);
  if (!limit || !index || *index >= *limit) return std::nullopt;
  return "runs/" + *runID + "/" + std::string(kind) + "/" + std::to_string(*index);
}

std::string ReportResources::rewrite(const std::string& markdown, const std::optional<std::string>& runID) {
  if (!runID || !validRunID(*runID)) return markdown;
  const std::vector<EvidenceLink> links = evidenceLinks(markdown, *runID);
  if (links.empty()) return markdown;
  // Built front to back, which gives what replacing the links from the last to the first
  // gives, in one pass.
  std::string rewritten;
  rewritten.reserve(markdown.size());
  std::size_t copied = 0;
  for (const EvidenceLink& link : links) {
    std::string candidate = std::string(resourcePrefix) + std::string(link.kind) + "/" + std::string(link.index);
    // The index limits and the canonical form apply to links as to requests.
    if (!resourcePath(candidate, runID)) continue;
    rewritten.append(markdown, copied, link.start - copied);
    rewritten += markdown[link.start];
    rewritten += candidate;
    copied = link.end;
  }
  rewritten.append(markdown, copied, std::string::npos);
  return rewritten;
}

std::string ReportResources::normalisedMimeType(std::string_view mimeType) {
  std::string lowered;
  lowered.reserve(mimeType.size());
  for (const char c : mimeType) lowered += g_ascii_tolower(c);
  // Split once at the first ";"; the first piece that is not empty.
  const std::size_t cut = lowered.find(';');
  if (cut == std::string::npos) return lowered;
  if (cut > 0) return lowered.substr(0, cut);
  return lowered.substr(cut + 1);
}

bool ReportResources::servable(std::string_view normalisedType, std::size_t byteCount) {
  static constexpr std::array<std::string_view, 4> imageTypes{"image/png", "image/jpeg", "image/webp", "image/gif"};
  return std::find(imageTypes.begin(), imageTypes.end(), normalisedType) != imageTypes.end() && byteCount >= 1 &&
         byteCount <= largestImage;
}

}  // namespace vesk
