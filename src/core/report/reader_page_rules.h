#pragma once
// The reader page's pure rules: which service operations the page may ask for, and how
// the page's own address is compared.
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// The service operation ("runs/<run>/answers" or "runs/<run>/refine-finding") that the
// page path "/api/runs/<run>/answers" or ".../refine-finding" of the current run stands
// for; nothing for any other path or an invalid run id.
std::optional<std::string> nativeReportOperation(std::string_view path, const std::optional<std::string>& runID);

// The local path a "file:" URI names, with "." and ".." segments resolved and its query
// and fragment left out (the page moves between its own anchors); nothing for any other
// URI or one that does not parse.
std::optional<std::string> standardizedFilePath(std::string_view uri);

}  // namespace vesk
