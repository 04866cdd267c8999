#pragma once
// The sentences the project library words itself.
namespace vesk::library_sentences {

inline constexpr const char* connectFirst = "Connect your account first.";
inline constexpr const char* invalidArchivePage = "The archive returned an invalid page. Refresh before continuing.";
inline constexpr const char* nameOrBriefTooLong =
    "Give the project a name up to 120 characters and a brief up to 5,000 characters.";
inline constexpr const char* anchorType = "Anchor must be PNG, JPG, WEBP, GIF, or PDF.";
inline constexpr const char* savedWithoutReadBack =
    "Project saved. Its latest context could not be loaded; refresh before starting an audit.";
// An anchor file past the download limit is never saved cut short.
inline constexpr const char* fileTooLarge = "This file is too large.";

}  // namespace vesk::library_sentences
