#include "core/shell/percent_creep.h"

#include <algorithm>
#include <random>

namespace vesk {

namespace {

constexpr int smallestStep = 2;
constexpr int largestStep = 5;

}  // namespace

PercentCreep::RandomStep PercentCreep::systemRandom() {
  return [engine = std::mt19937(std::random_device()())](int low, int high) mutable {
    return std::uniform_int_distribution<int>(low, high)(engine);
  };
}

PercentCreep::PercentCreep(RandomStep random) : random_(std::move(random)) {}

void PercentCreep::evaluate(const Evaluation& evaluation) {
  const bool moved = !previousEstimate_ || *previousEstimate_ != evaluation.estimate;
  previousEstimate_ = evaluation.estimate;
  if (moved) creep(evaluation);
}

void PercentCreep::reset() {
  visible_ = 0;
  previousEstimate_.reset();
}

void PercentCreep::creep(const Evaluation& evaluation) {
  if (evaluation.failed || evaluation.connectionLost) return;
  if (evaluation.estimate == 100) {
    visible_ = 100;
    return;
  }
  if (visible_ == 0 && evaluation.knownStart) {
    visible_ = evaluation.estimate;
    return;
  }
  const int gap = evaluation.estimate - visible_;
  if (gap < smallestStep) return;
  visible_ += std::min(gap, random_(smallestStep, largestStep));
}

}  // namespace vesk
