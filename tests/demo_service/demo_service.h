#pragma once
// A believable Vesk service for trying the application and for tests of the whole road:
// a script of in-memory state on top of the loopback fake service. It signs the user in
// through the browser pages of FakeSignIn, holds a live (or local-preview) account with a
// few projects and saved runs created fresh at start, runs quick reads and full audits on
// a clock, writes their reports, and answers every operation of the desktop API that the
// client sends. It never reaches beyond 127.0.0.1 and forgets everything when it stops.
#include "demo_service/demo_state.h"
#include "fake_service/fake_service.h"

#include <functional>
#include <memory>
#include <string>

namespace vesk::demo {

struct DemoOptions {
  AccountKind account = AccountKind::live;
  // Run durations are their nominal length (quick read 15 s, full audit 90 s) times this.
  double pace = 1.0;
  // Told one line per request (method, path, status and what the demo did); none: quiet.
  std::function<void(const std::string&)> log;
};

struct DemoCore;

class DemoService {
 public:
  // Adds the demo's routes to `service`, which must outlive every request it answers.
  DemoService(testing::FakeService& service, DemoOptions options);
  ~DemoService();
  DemoService(const DemoService&) = delete;
  DemoService& operator=(const DemoService&) = delete;

  // The state as it stands, for tests that look behind the replies.
  DemoState& state();
  // The tokens the sign-in has issued.
  const std::vector<std::string>& tokens() const;

 private:
  std::shared_ptr<DemoCore> core_;
};

}  // namespace vesk::demo
