#pragma once
// An account state of its own, bound to an account on the loopback fake service whose
// settings operations answer like the service's.
#include "core/account/account_state.h"
#include "fake_service/fake_service.h"
#include "fake_service/fake_settings.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vesk::testing {

class AccountHarness {
 public:
  static constexpr const char* token = "token-1";

  FakeService service;
  FakeSettings settings{service, token};
  std::shared_ptr<AccountState> state = AccountState::create();

  DesktopAPI api(const std::string& bearer = token) const { return DesktopAPI{service.origin(), bearer}; }

  // Binds the state to the account and waits for its settings; no request recorded.
  void bindAndLoad() {
    runTask(state->bind(api(), AccountState::Connected::yes));
    ASSERT_TRUE(state->snapshot->has_value()) << state->error->value_or("no error");
    service.clearRequests();
  }

  // Runs one of the state's operations to its end and returns its result.
  template <class T>
  T run(async::Task<T> task) {
    return runTask(std::move(task));
  }

  std::size_t requestsTo(const std::string& method, const std::string& operation) const {
    return service.requestsTo(method, "/api/desktop/" + operation).size();
  }
};

}  // namespace vesk::testing
