// The creep of the live progress number, with a random source the test controls.
#include "core/shell/percent_creep.h"

#include <gtest/gtest.h>

#include <vector>

using vesk::PercentCreep;

namespace {

// Always draws `step`, and records every range it was asked for.
struct FixedStep {
  int step;
  std::vector<std::pair<int, int>>* asked;
  int operator()(int low, int high) const {
    asked->emplace_back(low, high);
    return step;
  }
};

PercentCreep::Evaluation at(int estimate) { return {estimate, false, false, false}; }

}  // namespace

TEST(PercentCreep, StepsTowardTheEstimateOnlyWhenItMoves) {
  std::vector<std::pair<int, int>> asked;
  PercentCreep creep(FixedStep{3, &asked});

  creep.evaluate(at(45));
  EXPECT_EQ(creep.visible(), 3) << "without a known start it climbs from 0";
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], std::make_pair(2, 5)) << "a step of 2 to 5";

  // The same estimate again, as most ticks bring: nothing moves.
  creep.evaluate(at(45));
  creep.evaluate(at(45));
  EXPECT_EQ(creep.visible(), 3);
  EXPECT_EQ(asked.size(), 1u);

  creep.evaluate(at(46));
  EXPECT_EQ(creep.visible(), 6);
  creep.evaluate(at(8));
  EXPECT_EQ(creep.visible(), 8) << "never past the estimate";
  creep.evaluate(at(2));
  EXPECT_EQ(creep.visible(), 8) << "never backwards";
}

TEST(PercentCreep, AGapOfOneStandsAndAKnownStartShowsTheEstimateAtOnce) {
  std::vector<std::pair<int, int>> asked;
  PercentCreep creep(FixedStep{5, &asked});
  creep.evaluate(at(10));
  EXPECT_EQ(creep.visible(), 5);
  creep.evaluate(at(10 + 0));
  creep.evaluate(at(11));
  EXPECT_EQ(creep.visible(), 10);
  creep.evaluate(at(10));
  creep.evaluate(at(11));
  EXPECT_EQ(creep.visible(), 10) << "10 to 11 with 10 shown leaves 10";

  PercentCreep resumed(FixedStep{3, &asked});
  resumed.evaluate({45, false, false, true});
  EXPECT_EQ(resumed.visible(), 45) << "a run already under way shows its estimate";
  resumed.evaluate({60, false, false, true});
  EXPECT_EQ(resumed.visible(), 48) << "then it creeps";

  PercentCreep waiting(FixedStep{3, &asked});
  waiting.evaluate({0, false, false, true});
  waiting.evaluate({1, false, false, true});
  EXPECT_EQ(waiting.visible(), 1) << "with a known start 0 is replaced whatever the gap";
}

TEST(PercentCreep, FailureAndLostConnectionHoldAndDoneJumps) {
  std::vector<std::pair<int, int>> asked;
  PercentCreep creep(FixedStep{4, &asked});
  creep.evaluate({30, false, false, true});
  ASSERT_EQ(creep.visible(), 30);
  creep.evaluate({50, true, false, true});
  EXPECT_EQ(creep.visible(), 30) << "failed";
  creep.evaluate({60, false, true, true});
  EXPECT_EQ(creep.visible(), 30) << "connection lost";
  creep.evaluate({100, true, false, true});
  EXPECT_EQ(creep.visible(), 30) << "a failed audit does not jump";
  creep.evaluate({100, false, false, false});
  EXPECT_EQ(creep.visible(), 30) << "the same estimate as before moves nothing";
  creep.evaluate({98, false, true, false});
  creep.evaluate({100, false, false, false});
  EXPECT_EQ(creep.visible(), 100);
  EXPECT_TRUE(asked.empty());

  creep.reset();
  EXPECT_EQ(creep.visible(), 0);
  creep.evaluate(at(0));
  creep.evaluate(at(9));
  EXPECT_EQ(creep.visible(), 4) << "after a reset it climbs again";
}

TEST(PercentCreep, TheSystemSourceStaysWithinTwoToFive) {
  auto random = PercentCreep::systemRandom();
  bool seen[6] = {};
  for (int i = 0; i < 400; ++i) {
    const int step = random(2, 5);
    ASSERT_GE(step, 2);
    ASSERT_LE(step, 5);
    seen[step] = true;
  }
  EXPECT_TRUE(seen[2] && seen[3] && seen[4] && seen[5]);
}
