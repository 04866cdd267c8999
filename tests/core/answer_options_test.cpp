#include "core/input/answer_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using vesk::DiscoveryQuestion;

TEST(DiscoveryQuestionOptions, KeepFirstOccurrencesInOrderAndRespectLetterCase) {
  using Texts = std::vector<std::string>;
  struct Case {
    Texts options;
    Texts expected;
  };
  const std::vector<Case> cases = {
      {{}, {}},
      {{"Yes", "No", "Yes"}, {"Yes", "No"}},
      {{"yes", "Yes"}, {"yes", "Yes"}},
      {{"B", "A", "B", "C", "A"}, {"B", "A", "C"}},
      {{"Yes", "Yes "}, {"Yes", "Yes "}},
      {{"Caf\u00E9", "Cafe\u0301"}, {"Caf\u00E9"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(uniqueOptions(DiscoveryQuestion("Which?", c.options)), c.expected);
  }
}
