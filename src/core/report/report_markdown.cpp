#include "core/report/report_markdown.h"

#include "core/text/text_rules.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace vesk {

namespace {

constexpr std::string_view discoveryOpen = "<discovery>";
constexpr std::string_view discoveryClose = "</discovery>";
constexpr std::string_view answersOpen = "<discovery-answers>";
constexpr std::string_view answersClose = "</discovery-answers>";

// How the service has worded the provenance paragraph over time.
constexpr std::array<std::string_view, 5> provenancePrefixes = {
    "The eight expert perspectives above are the frame;",   "Researched with Vesk's multi-agent method:",
    "Researched with Vesk\u2019s multi-agent method:",      "Researched with Vesk's multi-agent method\u2014",
    "Researched with Vesk\u2019s multi-agent method\u2014",
};

constexpr std::size_t longestPrefix =
    std::max_element(provenancePrefixes.begin(), provenancePrefixes.end(), [](std::string_view a, std::string_view b) {
      return a.size() < b.size();
    })->size();

// Drops every span from an answers opening tag to the next closing tag.
std::string withoutAnswerBlocks(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  std::size_t from = 0;
  while (true) {
    const std::size_t open = text.find(answersOpen, from);
    const std::size_t close =
        open == std::string_view::npos ? open : text.find(answersClose, open + answersOpen.size());
    if (close == std::string_view::npos) break;  // no complete block from here on
    kept.append(text.substr(from, open - from));
    from = close + answersClose.size();
  }
  kept.append(text.substr(from));
  return kept;
}

// Every line break, run of tabs and spaces, line break becomes two line feeds, matched
// left to right without overlap, as a regular expression replacement would.
std::string withBlankLinesEmptied(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::size_t index = 0;
  while (index < text.size()) {
    const std::size_t lineFeed = text.find('\n', index);
    if (lineFeed == std::string_view::npos) break;
    result.append(text.substr(index, lineFeed - index));
    std::size_t after = lineFeed + 1;
    while (after < text.size() && (text[after] == ' ' || text[after] == '\t')) ++after;
    if (after < text.size() && text[after] == '\n') {
      result.append("\n\n");
      index = after + 1;
    } else {
      result.push_back('\n');
      index = lineFeed + 1;
    }
  }
  result.append(text.substr(index));
  return result;
}

std::size_t leadingStars(std::string_view text) {
  std::size_t count = 0;
  while (count < text.size() && count < 3 && text[count] == '*') ++count;
  return count;
}

std::size_t trailingStars(std::string_view text) {
  std::size_t count = 0;
  while (count < text.size() && count < 3 && text[text.size() - 1 - count] == '*') ++count;
  return count;
}

// The start of a paragraph as it is tested: trimmed, up to three asterisks taken from
// each end, every run of white space made one space. Only as much as the longest
// prefix needs is built.
std::string probeStart(std::string_view paragraph) {
  const std::string trimmed = trimmedWhiteSpace(paragraph);
  std::string_view core = trimmed;
  core.remove_prefix(leadingStars(core));
  core.remove_suffix(trailingStars(core));
  std::string probe;
  const auto length = static_cast<std::int32_t>(core.size());
  std::int32_t index = 0;
  bool inSpace = false;
  while (index < length && probe.size() < longestPrefix) {
    const std::int32_t start = index;
    UChar32 c = 0;
    U8_NEXT(core.data(), index, length, c);
    if (c >= 0 && u_isUWhiteSpace(c)) {  // what "\s" matches
      if (!inSpace) probe.push_back(' ');
      inSpace = true;
      continue;
    }
    inSpace = false;
    probe.append(core.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(index - start)));
  }
  return probe;
}

bool isProvenance(std::string_view paragraph) {
  const std::string probe = probeStart(paragraph);
  return std::any_of(provenancePrefixes.begin(), provenancePrefixes.end(),
                     [&](std::string_view prefix) { return std::string_view(probe).starts_with(prefix); });
}

}  // namespace

std::string reportDeliverableMarkdown(std::string_view output) {
  const std::size_t open = output.find(discoveryOpen);
  if (open != std::string_view::npos) {
    const std::size_t close = output.find(discoveryClose, open + discoveryOpen.size());
    if (close == std::string_view::npos) return {};
    output.remove_prefix(close + discoveryClose.size());
  }
  const std::string kept = withoutAnswerBlocks(output);
  return trimmedWhiteSpace(kept);
}

std::string reportMarkdown(std::string_view output) {
  const std::string deliverable = reportDeliverableMarkdown(output);
  bool hasLead = deliverable.find(reportLeadSentence) != std::string::npos;
  const std::string text = withBlankLinesEmptied(deliverable);
  std::string result;
  result.reserve(text.size());
  bool first = true;
  const auto keep = [&](std::string_view paragraph) {
    if (!first) result.append("\n\n");
    result.append(paragraph);
    first = false;
  };
  std::size_t from = 0;
  while (true) {
    const std::size_t end = std::min(text.find("\n\n", from), text.size());
    const std::string_view paragraph = std::string_view(text).substr(from, end - from);
    if (!isProvenance(paragraph)) {
      keep(paragraph);
    } else if (!hasLead) {
      keep(reportLeadSentence);
      hasLead = true;
    }
    if (end == text.size()) break;
    from = end + 2;
  }
  return result;
}

}  // namespace vesk
