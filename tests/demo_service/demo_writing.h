#pragma once
// The demo's own writing: its three discovery questions and the reports it "produces":
// a quick read, a full audit (with a comparison when it re-audits a baseline), a
// follow-up discussion and a refined finding. Every text is a function of the run, so a
// report written again after new answers keeps its refined findings.
#include "demo_service/demo_state.h"

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vesk::demo {

const std::vector<DemoQuestion>& demoQuestions();
// The questions as a run reply carries them: [{"text", "options"}].
nlohmann::json questionsJson();

// The answers of a continue body, [{"question": text, "answer": [options]}], by question
// id; nullopt with `problem` set when they do not fit the questions asked.
std::optional<std::map<std::string, std::vector<std::string>>> answersFromContinue(const nlohmann::json& list,
                                                                                   std::string& problem);
// The answers of an answers body, {"<id>": [options]}, checked the same way.
std::optional<std::map<std::string, std::vector<std::string>>> answersFromReader(const nlohmann::json& object,
                                                                                 std::string& problem);

// The whole output of a finished run: discovery blocks, the report and its provenance.
// `baseline` is the earlier full audit a re-audit is compared with.
std::string writeReport(const DemoRun& run, const DemoProject& project, const DemoRun* baseline);
// The reply to a discussion question about `original`.
std::string writeFollowUp(const DemoRun& original, const DemoProject& project, const std::string& instruction);
// The headings of the findings of a full audit or quick read, as the reader page shows them.
std::vector<std::string> findingHeadings(const DemoRun& run);
// The new text of a finding rewritten as asked (what follows its heading line).
std::string refinedFindingText(const std::string& heading, const std::string& instruction);
// A title for the run: the first line of its input, else the project's name.
std::string runSubject(const DemoRun& run, const DemoProject& project);

}  // namespace vesk::demo
