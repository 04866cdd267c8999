#pragma once
// Which web addresses an audit covers: the URLs typed into the URL field, and the
// links and bare domains written into the brief. Failures are VeskErrors whose
// sentence is shown to the user as is.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

inline constexpr const char* invalidURLSentence = "Use a complete http or https URL, without embedded credentials.";

// "This audit covers up to <maxCount> URLs."
std::string tooManyURLsSentence(std::int64_t maxCount);

// The URL field's pieces (split at white space) exactly as typed, repeats included;
// empty for a blank field. Fails when there are more than `maxCount` pieces (checked
// first) or when a piece is not an http(s) URL with a host and without user-info.
std::vector<std::string> validatedURLs(std::string_view text, std::int64_t maxCount);

// The field's URLs, then the brief's links, then the brief's bare domains of known
// top-level domains (given "https://"), without repeats. Bad candidates from the brief
// are dropped silently; fails when the field is invalid or the list exceeds `maxCount`.
std::vector<std::string> auditSourceURLs(std::string_view urlField, std::string_view brief, std::int64_t maxCount);

}  // namespace vesk
