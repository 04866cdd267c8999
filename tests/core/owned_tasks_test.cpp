#include "core/async/owned_tasks.h"

#include "core/api/desktop_api.h"
#include "core/async/sleep.h"
#include "fake_service/fake_service.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

using namespace std::chrono_literals;
using vesk::Auth;
using vesk::DesktopAPI;
using vesk::async::OwnedTasks;
using vesk::async::spawn;
using vesk::async::Task;
using vesk::testing::FakeService;
using vesk::testing::Reply;
using vesk::testing::runFor;
using vesk::testing::runUntil;

namespace {

// A per-visit state object: its tasks write into it through a plain pointer, which is
// sound only because the tasks die with it.
struct VisitState {
  std::optional<std::string> reply;
  bool slept = false;
  OwnedTasks tasks;

  static Task<void> sleepThenMark(VisitState* self) {
    co_await vesk::async::sleep(50ms);
    self->slept = true;
  }
  static Task<void> fetch(VisitState* self, DesktopAPI api) {
    auto bytes = co_await api.raw("held", std::nullopt, std::nullopt, Auth::bearer);
    self->reply = std::move(bytes);
  }
};

}  // namespace

TEST(OwnedTasks, DestroyingTheOwnerCancelsEveryTaskAndNothingResumesIntoIt) {
  FakeService service;
  Reply held = Reply::json("{}");
  held.stall = true;
  service.reply("GET", "/api/desktop/held", held);

  auto state = std::make_unique<VisitState>();
  const auto sleeping = state->tasks.add(spawn(VisitState::sleepThenMark(state.get())));
  const auto fetching = state->tasks.add(spawn(VisitState::fetch(state.get(), DesktopAPI{service.origin(), "t"})));
  ASSERT_TRUE(runUntil([&] { return service.stalledCount() == 1; }));
  EXPECT_EQ(state->tasks.running(), 2u);

  state.reset();
  ASSERT_TRUE(runUntil([&] { return sleeping.isDone() && fetching.isDone(); }));
  EXPECT_TRUE(sleeping.isCancelled());
  EXPECT_TRUE(fetching.isCancelled());
  EXPECT_TRUE(runUntil([&] { return service.abandonedCount() == 1; })) << "the request's connection is closed";
  service.releaseStalled();
  runFor(100ms);  // a resumption into the freed state would be caught by AddressSanitizer
}

TEST(OwnedTasks, FinishedTasksAreLetGoAndTheRestRunOn) {
  VisitState state;
  const auto first = state.tasks.add(spawn(VisitState::sleepThenMark(&state)));
  ASSERT_TRUE(runUntil([&] { return first.isDone(); }));
  EXPECT_TRUE(state.slept);
  EXPECT_EQ(state.tasks.running(), 0u);
  state.slept = false;
  state.tasks.add(spawn(VisitState::sleepThenMark(&state)));
  EXPECT_EQ(state.tasks.running(), 1u);
  ASSERT_TRUE(runUntil([&] { return state.slept; }));
}
