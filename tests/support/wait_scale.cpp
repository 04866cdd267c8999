#include "support/wait_scale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vesk::testing {

namespace {

constexpr const char* variable = "VESK_TEST_TIME_SCALE";

double readScale() {
  const char* text = std::getenv(variable);
  if (!text || !*text) return 1;
  char* end = nullptr;
  const double factor = std::strtod(text, &end);
  if (*end != '\0' || !std::isfinite(factor) || factor < 1) {
    std::fprintf(stderr, "%s=%s: the factor must be a number of at least 1\n", variable, text);
    std::exit(2);
  }
  return factor;
}

}  // namespace

double waitScale() {
  static const double factor = readScale();
  return factor;
}

std::chrono::milliseconds scaled(std::chrono::milliseconds deadline) {
  return std::chrono::milliseconds(std::llround(static_cast<double>(deadline.count()) * waitScale()));
}

}  // namespace vesk::testing
