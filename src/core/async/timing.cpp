#include "core/async/timing.h"

#include <cmath>

namespace vesk::async {

namespace {
double factor = 1.0;
}

double Timing::scale() { return factor; }
void Timing::setScale(double newFactor) { factor = newFactor > 0 ? newFactor : 1.0; }

std::chrono::milliseconds Timing::scaled(std::chrono::milliseconds nominal) {
  if (factor == 1.0) return nominal;
  return std::chrono::milliseconds(static_cast<long long>(std::llround(static_cast<double>(nominal.count()) * factor)));
}

}  // namespace vesk::async
