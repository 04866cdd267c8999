#pragma once
// The loopback fake service on a thread and main context of its own, so that only the
// client's work shows on the main loop a benchmark measures. `routes` scripts the service
// on its thread before the first request can arrive.
#include "fake_service/fake_service.h"

#include <functional>
#include <string>
#include <thread>

#include <glib.h>

namespace vesk::bench {

// GET "me" as a live account with three full audits left, and an empty project list.
void routeSignedInAccount(testing::FakeService& service);

class ThreadedFakeService {
 public:
  explicit ThreadedFakeService(std::function<void(testing::FakeService&)> routes);
  ~ThreadedFakeService();
  ThreadedFakeService(const ThreadedFakeService&) = delete;
  ThreadedFakeService& operator=(const ThreadedFakeService&) = delete;

  const std::string& origin() const { return origin_; }

 private:
  std::thread thread_;
  GMainLoop* loop_ = nullptr;
  std::string origin_;
};

}  // namespace vesk::bench
