#pragma once
// The fixed content of the local preview: its discovery questions, stage texts and the
// two sample reports about the fictional product Doral.
#include <string>
#include <string_view>
#include <vector>

namespace vesk::preview {

struct BuiltInQuestion {
  std::string_view text;
  std::vector<std::string_view> options;
};

const std::vector<BuiltInQuestion>& builtInQuestions();

const std::vector<std::string>& quickReadStages();
const std::vector<std::string>& fullAuditStages();

extern const std::string_view quickReadSample;
extern const std::string_view fullAuditSample;

}  // namespace vesk::preview
