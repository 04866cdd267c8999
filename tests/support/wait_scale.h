#pragma once
// How much longer than on a quiet machine with a plain build a test may wait for what it
// waits for: the factor in VESK_TEST_TIME_SCALE (the test script sets it, larger for the
// sanitized build), 1 when unset. Every deadline of a wait is multiplied by it; what the
// test waits for stays the same, so a fast machine is never held up by it.
#include <chrono>

namespace vesk::testing {

// The factor, read once; a value that is not a number of at least 1 stops the run.
double waitScale();

// `deadline` on this machine.
std::chrono::milliseconds scaled(std::chrono::milliseconds deadline);

}  // namespace vesk::testing
