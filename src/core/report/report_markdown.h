#pragma once
// The deliverable a user copies or downloads: the report Markdown without the discovery
// material the service keeps around it, and with its provenance in one fixed wording.
#include <string>
#include <string_view>

namespace vesk {

// The one provenance sentence a deliverable keeps.
inline constexpr std::string_view reportLeadSentence =
    "Based on eight expert perspectives, the supplied pages, and your stated goals.";

// `output` from the end of its discovery block on (empty when the block never closes),
// without discovery-answer blocks and without white space at either end.
std::string reportDeliverableMarkdown(std::string_view output);

// The deliverable of a run's output: reportDeliverableMarkdown(), with lines of only tabs
// and spaces made empty and the provenance paragraphs, however worded, reduced to the
// lead sentence once (none when the text already holds it).
std::string reportMarkdown(std::string_view output);

}  // namespace vesk
