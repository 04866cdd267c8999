#pragma once
// The sentences the report state words itself.
namespace vesk::report_sentences {

inline constexpr const char* unconfirmedDetail = "The saved report could not be confirmed.";
inline constexpr const char* historicalReport = "This historical report is available to read, copy, and download.";
inline constexpr const char* unfinishedRun = "Only a finished run can be changed or shared.";
inline constexpr const char* sampleStaysLocal =
    "This sample stays on this computer. Connect your existing account to change a real saved report.";
inline constexpr const char* copied = "Copied";
inline constexpr const char* linkRevoked = "Link revoked. The earlier link no longer opens this report.";
inline constexpr const char* questionLength = "Tell us what you want to explore, in up to 2,000 characters.";
inline constexpr const char* discussionUnconfirmed =
    "The discussion is not confirmed complete. Open its saved status before sending another question.";
inline constexpr const char* checkHistorySuffix = " Check saved history before sending this again.";

}  // namespace vesk::report_sentences
