#include "core/library/library_presentation.h"

#include "core/library/library_search_key.h"
#include "core/platform/object_ptr.h"
#include "core/text/text_rules.h"

#include <glib.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

namespace vesk {

namespace {

constexpr std::size_t runTitleLimit = 160;

struct DateTimeDeleter {
  void operator()(GDateTime* value) const { g_date_time_unref(value); }
};
using DateTimePtr = std::unique_ptr<GDateTime, DateTimeDeleter>;
struct TimeZoneDeleter {
  void operator()(GTimeZone* value) const { g_time_zone_unref(value); }
};
using TimeZonePtr = std::unique_ptr<GTimeZone, TimeZoneDeleter>;
struct UriDeleter {
  void operator()(GUri* value) const { g_uri_unref(value); }
};
using UriPtr = std::unique_ptr<GUri, UriDeleter>;

std::string counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + (count == 1 ? one : many);
}

bool isLineBreak(char32_t c) {
  return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// The first line of `text` that is not empty, split at every line break.
std::string firstNonEmptyLine(std::string_view text) {
  const icu::UnicodeString unicode = toUnicode(text);
  int32_t start = 0;
  const int32_t length = unicode.length();
  while (start < length) {
    int32_t end = start;
    while (end < length && !isLineBreak(static_cast<char32_t>(unicode.char32At(end))))
      end = unicode.moveIndex32(end, 1);
    if (end > start) return toUtf8(unicode.tempSubStringBetween(start, end));
    start = end + 1;
  }
  return {};
}

bool isDigits(std::string_view text, std::size_t from, std::size_t count) {
  if (text.size() < from + count) return false;
  return std::all_of(text.begin() + static_cast<long>(from), text.begin() + static_cast<long>(from + count),
                     [](char c) { return c >= '0' && c <= '9'; });
}

// The internet date-time form: "2024-05-02T10:00:00", optional fractional seconds, then
// "Z" or an offset "+02:00". GLib alone would take many other ISO 8601 forms.
bool isInternetDateTime(std::string_view text) {
  if (!isDigits(text, 0, 4) || text.size() < 20 || text[4] != '-' || !isDigits(text, 5, 2) || text[7] != '-' ||
      !isDigits(text, 8, 2) || (text[10] != 'T' && text[10] != 't') || !isDigits(text, 11, 2) || text[13] != ':' ||
      !isDigits(text, 14, 2) || text[16] != ':' || !isDigits(text, 17, 2))
    return false;
  std::size_t at = 19;
  if (text[at] == '.') {
    const std::size_t digits = at + 1;
    at = digits;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    if (at == digits) return false;
  }
  const std::string_view zone = text.substr(at);
  if (zone == "Z" || zone == "z") return true;
  return zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && isDigits(zone, 1, 2) && zone[3] == ':' &&
         isDigits(zone, 4, 2);
}

}  // namespace

std::string libraryNeedle(std::string_view search) { return trimmedWhiteSpace(search); }

bool libraryTextContains(std::string_view text, std::string_view needle) {
  return LibrarySearch(needle).matches(librarySearchKey(text));
}

std::vector<LibraryProject> filteredProjects(const std::vector<LibraryProject>& projects, std::string_view kind,
                                             std::string_view search) {
  const LibrarySearch needle(search);
  std::vector<LibraryProject> kept;
  for (const auto& project : projects) {
    if (kind != "all" && project.kind != std::optional<std::string>(std::string(kind))) continue;
    if (!needle.matches(librarySearchKey(project.name + " " + project.brief.value_or("")))) continue;
    kept.push_back(project);
  }
  return kept;
}

std::vector<SavedAudit> filteredRuns(const std::vector<SavedAudit>& runs, std::string_view search) {
  const LibrarySearch needle(search);
  std::vector<SavedAudit> kept;
  std::copy_if(runs.begin(), runs.end(), std::back_inserter(kept), [&](const SavedAudit& run) {
    return needle.matches(librarySearchKey(run.projectName + " " + run.output.str()));
  });
  return kept;
}

std::string libraryTitle(LibraryView view, const std::optional<LibraryProject>& open, std::size_t projectCount) {
  if (view == LibraryView::archive) return "The archive";
  if (open) return open->name;
  if (projectCount == 0) return "Nothing on the rack yet.";
  if (projectCount == 1) return "One project.";
  return std::to_string(projectCount) + " projects.";
}

std::string libraryCountLabel(std::string_view kind, std::string_view search, std::size_t shown, std::size_t all) {
  if (libraryNeedle(search).empty() && kind == "all") return counted(all, " project", " projects");
  return "Showing " + std::to_string(shown) + " of " + std::to_string(all);
}

std::string libraryRunCount(const std::optional<std::int64_t>& runCount) {
  const std::int64_t count = runCount.value_or(0);
  return std::to_string(count) + (count == 1 ? " run" : " runs");
}

std::string librarySearchPrompt(LibraryView view) {
  switch (view) {
    case LibraryView::archive: return "Search runs…";
    case LibraryView::openProject: return "Search past runs…";
    case LibraryView::projects: break;
  }
  return "Search by name or brief…";
}

std::optional<LibraryEmptyState> projectsEmptyState(std::size_t shown, std::string_view kind, std::string_view search) {
  if (shown > 0 || (libraryNeedle(search).empty() && kind == "all")) return std::nullopt;
  return LibraryEmptyState{"Nothing matches that. Try a different word.", LibraryEmptyState::Clear::filters,
                           "Clear filters"};
}

std::optional<LibraryEmptyState> runsEmptyState(std::size_t shown, std::string_view search) {
  if (shown > 0) return std::nullopt;
  if (libraryNeedle(search).empty())
    return LibraryEmptyState{"Nothing here yet. That’s about to change.", LibraryEmptyState::Clear::none, ""};
  return LibraryEmptyState{"No runs match that search.", LibraryEmptyState::Clear::search, "Clear search"};
}

std::string libraryActivityLabel(std::string_view text) {
  if (!isInternetDateTime(text)) return std::string(text);
  const std::string copy(text);
  const TimeZonePtr utc(g_time_zone_new_utc());
  const DateTimePtr parsed(g_date_time_new_from_iso8601(copy.c_str(), utc.get()));
  if (!parsed) return copy;
  const DateTimePtr local(g_date_time_to_local(parsed.get()));
  if (!local) return copy;
  const glib::GFreePtr<char> formatted(g_date_time_format(local.get(), "%b %-d, %Y"));
  return formatted ? std::string(formatted.get()) : copy;
}

std::string libraryRunTitle(const SavedAudit& run) {
  const std::string line = trimmedWhiteSpace(firstNonEmptyLine(run.input.value_or("")));
  if (line.empty()) return run.projectName;
  return prefixOfCharacters(line, runTitleLimit);
}

std::string libraryRunLabel(const SavedAudit& run) {
  if (run.agent && *run.agent != "vesk") return capitalisedWords(*run.agent);
  if (run.auditMode == "full") return "Full audit";
  if (run.auditMode == "followup") return "Discussion";
  return "Quick read";
}

std::string libraryRunMeta(const SavedAudit& run) {
  std::string meta = libraryRunLabel(run);
  if (run.runNumber) meta += " · Run " + std::to_string(*run.runNumber);
  return meta + " · " + capitalisedWords(run.status);
}

std::string libraryArchiveTitleTail(const SavedAudit& run) {
  const std::string title = libraryRunTitle(run);
  return title == run.projectName ? std::string() : " · " + title;
}

std::string libraryDeleteRunName(const SavedAudit& run) { return "Delete " + run.projectName + " run"; }

std::optional<std::string> libraryRunDate(const SavedAudit& run) {
  if (!run.createdAt) return std::nullopt;
  return prefixOfCharacters(*run.createdAt, 10);
}

std::string capitalisedWords(std::string_view text) {
  icu::UnicodeString unicode = toUnicode(text);
  unicode.toTitle(nullptr, icu::Locale::getRoot());
  return toUtf8(unicode);
}

bool isWebLink(std::string_view url) {
  // GLib lets spaces and control characters through; an address never holds them.
  if (std::any_of(url.begin(), url.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F; }))
    return false;
  const std::string copy(url);
  glib::ErrorSlot failure;
  const UriPtr parsed(g_uri_parse(copy.c_str(), G_URI_FLAGS_NONE, failure.out()));
  if (!parsed) return false;
  const std::string scheme = lowercased(g_uri_get_scheme(parsed.get()));
  return scheme == "http" || scheme == "https";
}

std::string libraryIntentLabel(std::string_view intent) {
  return intent == "new" ? "Build something new" : "Audit existing work";
}

std::string libraryScrollIdentity(bool archive, const std::optional<LibraryProject>& open) {
  return std::string(archive ? "true" : "false") + "-" + (open ? open->id : std::string("projects"));
}

}  // namespace vesk
