#pragma once
// Runs a task that must fail and hands back its error for closer checks.
#include "support/run_loop.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <typeinfo>

namespace vesk::testing {

class NoFailure : public std::logic_error {
 public:
  NoFailure() : std::logic_error("the task did not fail as expected") {}
};

// The error of type E that `task` ends with; any other ending fails the test and throws.
template <class E, class T>
E failureOf(async::Task<T> task, std::chrono::milliseconds deadline = 10s) {
  try {
    runTask(std::move(task), deadline);
  } catch (const E& error) {
    return error;
  } catch (const std::exception& other) {
    ADD_FAILURE() << "expected " << typeid(E).name() << ", got " << typeid(other).name() << ": " << other.what();
    throw NoFailure();
  }
  ADD_FAILURE() << "expected " << typeid(E).name() << ", but the task succeeded";
  throw NoFailure();
}

}  // namespace vesk::testing
