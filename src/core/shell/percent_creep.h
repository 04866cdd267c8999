#pragma once
// The large number of the live progress view: it follows the time estimate in steps of
// 2 to 5, never past the estimate and never backwards, holds still while the audit has
// failed or the connection is lost, and jumps to 100 when the report is ready. A run
// opened while already under way shows its estimate at once instead of climbing from 0.
//
// It moves only when the estimate differs from the one seen at the previous evaluation
// (and at the first one), so an evaluation that brings the same estimate, as most ticks
// do, leaves it where it is.
#include <functional>
#include <optional>

namespace vesk {

class PercentCreep {
 public:
  // A whole number from `low` to `high` inclusive, drawn uniformly.
  using RandomStep = std::function<int(int low, int high)>;
  static RandomStep systemRandom();

  explicit PercentCreep(RandomStep random = systemRandom());

  struct Evaluation {
    int estimate = 0;
    bool failed = false;
    bool connectionLost = false;
    // The service told when the audit started, in a form that reads as a date.
    bool knownStart = false;
  };
  void evaluate(const Evaluation& evaluation);
  // Another run: back to 0, and the next evaluation counts as the first.
  void reset();

  int visible() const { return visible_; }

 private:
  void creep(const Evaluation& evaluation);

  RandomStep random_;
  int visible_ = 0;
  std::optional<int> previousEstimate_;
};

}  // namespace vesk
