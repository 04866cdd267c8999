#pragma once
// The seam through which tests shorten the service's waits (polling, sign-in, preview
// stages, time-outs) without changing the logic that uses them.
#include <chrono>

namespace vesk::async {

class Timing {
 public:
  // Every wait of the program is its nominal length times this factor (1 in the
  // application).
  static double scale();
  static void setScale(double factor);
  static std::chrono::milliseconds scaled(std::chrono::milliseconds nominal);
};

// Sets the factor for the life of a test and restores the previous one after it.
class ScopedTimeScale {
 public:
  explicit ScopedTimeScale(double factor) : previous_(Timing::scale()) { Timing::setScale(factor); }
  ~ScopedTimeScale() { Timing::setScale(previous_); }
  ScopedTimeScale(const ScopedTimeScale&) = delete;
  ScopedTimeScale& operator=(const ScopedTimeScale&) = delete;

 private:
  double previous_;
};

}  // namespace vesk::async
