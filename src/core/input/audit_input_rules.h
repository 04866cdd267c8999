#pragma once
// Small rules that shape what the user gives before it goes to the service: the default
// project name, the answers chosen for a discovery question, and texts cut to a UTF-16
// budget. The URL rules are in audit_url_rules.h.
#include "core/input/audit_url_rules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

inline constexpr const char* untitledAuditName = "Untitled audit";
inline constexpr std::size_t longestProjectName = 120;  // user-perceived characters
inline constexpr std::size_t mostAnswersPerQuestion = 2;

// The host of the first URL without a leading "www.", else the file name without its
// extension, else "Untitled audit"; at most 120 characters. Never fails.
std::string auditProjectName(const std::vector<std::string>& urls, const std::optional<std::string>& filename);

// Removes `answer` when chosen, else appends it unless two answers are already chosen.
std::vector<std::string> toggleChoice(const std::string& answer, const std::vector<std::string>& chosen);

// The longest prefix of whole user-perceived characters that fits `maxUTF16` UTF-16
// units; a character is never split.
std::string boundedAccountText(std::string_view text, std::int64_t maxUTF16);

}  // namespace vesk
