#pragma once
// The service's side of browser sign-in on the fake: the availability probe
// "connection", the "sign-in" page (the user counts as signed in already, so it sends the
// browser straight on to its "redirect_url"), the "/desktop/connect" page that sends the
// browser to the application's callback address with a fresh code, and "token", which
// redeems a code once when the verifier matches the challenge the code was issued for.
#include "fake_service/fake_service.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::testing {

struct SignInGrant {
  std::string challenge;
  std::string state;
  std::optional<std::string> application;
  std::string code;
  std::string callback;  // the address the browser was sent to
  bool redeemed = false;
};

class FakeSignIn {
 public:
  explicit FakeSignIn(FakeService& service);

  // Every code issued so far, in order.
  const std::vector<SignInGrant>& grants() const { return state_->grants; }
  // The token issued for the n-th redeemed code ("token-1", ...), valid for an hour.
  static constexpr std::int64_t tokenLifetime = 3600;
  // Every token issued so far, in order.
  const std::vector<std::string>& tokens() const { return state_->tokens; }

 private:
  struct State {
    std::string origin;
    std::vector<SignInGrant> grants;
    std::vector<std::string> tokens;
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace vesk::testing
