#include "core/report/report_screen_rules.h"

#include "core/text/text_rules.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// Each space-separated word with its first character in upper case and the rest in lower,
// the same in every language.
std::string titleCasedWords(const std::string& text) {
  std::string result;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    icu::UnicodeString word = toUnicode(std::string_view(text).substr(start, end - start));
    if (!word.isEmpty()) {
      const int32_t firstLength = U16_LENGTH(word.char32At(0));
      icu::UnicodeString first(word, 0, firstLength);
      icu::UnicodeString rest(word, firstLength);
      result += toUtf8(first.toUpper(icu::Locale::getRoot())) + toUtf8(rest.toLower(icu::Locale::getRoot()));
    }
    if (end == text.size()) break;
    result += ' ';
    start = end + 1;
  }
  return result;
}

}  // namespace

std::string reportKindLabel(const std::optional<SavedAudit>& run) {
  if (run && run->agent && *run->agent != "vesk") return titleCasedWords(*run->agent) + " · Saved report";
  if (!run || run->status != "complete") return "Incomplete audit";
  if (run->auditMode == std::optional<std::string>("quick")) return "Quick read";
  if (run->auditMode == std::optional<std::string>("followup")) return "Discussion";
  return "Full audit";
}

std::string provenanceJSON(const std::optional<SavedAudit>& run, const std::vector<ReportSourceURL>& sources) {
  if (run && run->auditMode == std::optional<std::string>("followup")) return "[]";
  try {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& source : sources) {
      nlohmann::json entry{{"url", source.url}};
      if (source.source) entry["source"] = *source.source;
      if (source.note) entry["note"] = *source.note;
      if (source.screenshotError) entry["screenshotError"] = *source.screenshotError;
      list.push_back(std::move(entry));
    }
    // Text that is not UTF-8 fails to serialise, which gives the empty list.
    return list.dump();
  } catch (const nlohmann::json::exception&) {
    return "[]";
  }
}

ReportScreenMetrics reportScreenMetrics(double headerInset) {
  const double top = std::max(headerInset - 4, 108.0);
  return ReportScreenMetrics{top, top + 94, static_cast<int>(top + 96)};  // whole points, cut toward zero
}

ReaderArguments readerArguments(const std::optional<SavedAudit>& run, bool fixture, std::optional<DesktopAPI> api,
                                const std::vector<ReportSourceURL>& sources, double headerInset) {
  ReaderArguments arguments;
  arguments.markdown = run ? run->output : "";
  arguments.fixture = fixture;
  arguments.api = std::move(api);
  if (run) arguments.runID = run->id;
  arguments.interactive = run && run->status == "complete" && run->agent.value_or("vesk") == "vesk";
  arguments.topInset = reportScreenMetrics(headerInset).readerTopInset;
  arguments.provenanceJSON = provenanceJSON(run, sources);
  arguments.discussion = run && run->auditMode == std::optional<std::string>("followup");
  return arguments;
}

}  // namespace vesk
