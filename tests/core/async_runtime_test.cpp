#include "core/async/background.h"
#include "core/async/gio_call.h"
#include "core/async/sleep.h"
#include "core/async/spawn.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using vesk::async::Cancelled;
using vesk::async::PreviousTask;
using vesk::async::sleep;
using vesk::async::spawn;
using vesk::async::Task;
using vesk::testing::runTask;
using vesk::testing::waitFor;

namespace {

Task<void> record(std::vector<std::string>& log, std::string name, std::chrono::milliseconds delay) {
  log.push_back(name + " start");
  co_await sleep(delay);
  log.push_back(name + " end");
}

Task<int> answerAfter(std::chrono::milliseconds delay, int value) {
  co_await sleep(delay);
  co_return value;
}

Task<int> failAfterSleep() {
  co_await sleep(1ms);
  throw std::logic_error("boom");
}

}  // namespace

TEST(AsyncRuntime, SpawnedTasksStartFromTheMainLoopInOrder) {
  std::vector<std::string> log;
  auto first = spawn(record(log, "a", 30ms));
  auto second = spawn(record(log, "b", 1ms));
  EXPECT_TRUE(log.empty()) << "a spawned task must not run inside spawn()";
  waitFor(first);
  waitFor(second);
  EXPECT_EQ(log, (std::vector<std::string>{"a start", "b start", "b end", "a end"}));
}

TEST(AsyncRuntime, ChildResultsAndErrorsPropagateThroughAwait) {
  EXPECT_EQ(runTask([]() -> Task<int> { co_return co_await answerAfter(1ms, 41) + 1; }()), 42);
  EXPECT_THROW(runTask(failAfterSleep()), std::logic_error);
  // A caught child error leaves the parent free to go on.
  const auto recovered = runTask([]() -> Task<std::string> {
    try {
      co_await failAfterSleep();
    } catch (const std::logic_error& e) {
      co_return std::string("caught ") + e.what();
    }
    co_return "missed";
  }());
  EXPECT_EQ(recovered, "caught boom");
}

TEST(AsyncRuntime, CancellingWhileSleepingResumesPromptlyWithCancelled) {
  bool resumedNormally = false;
  bool sawCancelled = false;
  auto task = spawn([](bool& resumed, bool& cancelled) -> Task<void> {
    try {
      co_await sleep(60s);
      resumed = true;
    } catch (const Cancelled&) {
      cancelled = true;
      throw;
    }
  }(resumedNormally, sawCancelled));
  vesk::testing::runFor(10ms);
  EXPECT_FALSE(task.isDone());
  const auto before = std::chrono::steady_clock::now();
  task.cancel();
  EXPECT_FALSE(sawCancelled) << "cancel() must not resume the task inside the call";
  waitFor(task, 2s);
  EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
  EXPECT_TRUE(sawCancelled);
  EXPECT_FALSE(resumedNormally);
  EXPECT_THROW(task.result(), Cancelled);
}

TEST(AsyncRuntime, CancellationReachesTheChildBeingAwaited) {
  int stepsAfterChild = 0;
  auto task = spawn([](int& steps) -> Task<void> {
    co_await answerAfter(60s, 1);
    ++steps;
  }(stepsAfterChild));
  vesk::testing::runFor(5ms);
  task.cancel();
  waitFor(task, 2s);
  EXPECT_THROW(task.result(), Cancelled);
  EXPECT_EQ(stepsAfterChild, 0);
}

TEST(AsyncRuntime, ATaskCancelledBeforeItStartsFailsAtItsFirstSleep) {
  int reached = 0;
  auto task = spawn([](int& reached) -> Task<void> {
    ++reached;
    co_await sleep(0ms);
    ++reached;
  }(reached));
  task.cancel();
  waitFor(task);
  EXPECT_EQ(reached, 1);
  EXPECT_TRUE(task.isCancelled());
  EXPECT_THROW(task.result(), Cancelled);
  EXPECT_THROW(runTask([]() -> Task<void> {
                 auto context = co_await vesk::async::currentContext();
                 context->cancel();
                 co_await vesk::async::checkCancellation();
               }()),
               Cancelled);
}

TEST(AsyncRuntime, TasksKeepTheirOwnerAliveUntilTheyEnd) {
  struct Owner {
    int writes = 0;
  };
  std::weak_ptr<Owner> watch;
  vesk::async::TaskRef running;
  {
    auto owner = std::make_shared<Owner>();
    watch = owner;
    running = spawn([](std::shared_ptr<Owner> self) -> Task<void> {
      co_await sleep(5ms);
      ++self->writes;
    }(owner));
  }
  EXPECT_FALSE(watch.expired()) << "the task holds its owner";
  waitFor(running);
  EXPECT_TRUE(watch.expired()) << "the owner goes once the task has ended";
}

TEST(AsyncRuntime, JoinWaitsForAnotherTaskAndIsCancellable) {
  auto slow = spawn(answerAfter(20ms, 7));
  const int joined = runTask([](vesk::async::TaskHandle<int> other) -> Task<int> {
    co_await other.join();
    co_return other.result() * 2;
  }(slow));
  EXPECT_EQ(joined, 14);

  auto never = spawn(answerAfter(60s, 0));
  auto waiter = spawn([](vesk::async::TaskRef other) -> Task<void> { co_await other.join(); }(never));
  vesk::testing::runFor(5ms);
  waiter.cancel();
  waitFor(waiter, 2s);
  EXPECT_THROW(waiter.result(), Cancelled);
  EXPECT_FALSE(never.isDone()) << "cancelling a waiter leaves the awaited task running";
  never.cancel();
  waitFor(never, 2s);
}

TEST(AsyncRuntime, TaskSlotCancelsOrLeavesThePreviousTask) {
  vesk::async::TaskSlot slot;
  auto first = spawn(answerAfter(60s, 1));
  slot.start(first, PreviousTask::cancel);
  auto second = spawn(answerAfter(60s, 2));
  slot.start(second, PreviousTask::leave);
  EXPECT_FALSE(first.isCancelled()) << "left to run";
  EXPECT_TRUE(slot.holds(second));
  auto third = spawn(answerAfter(60s, 3));
  slot.start(third, PreviousTask::cancel);
  EXPECT_TRUE(second.isCancelled());
  slot.cancel();
  EXPECT_TRUE(slot.isEmpty());
  EXPECT_TRUE(third.isCancelled());
  first.cancel();
  for (auto* t : {&first, &second, &third}) waitFor(*t, 2s);
}

TEST(AsyncRuntime, TimeScaleShortensSleeps) {
  vesk::async::ScopedTimeScale fast(0.001);
  const auto before = std::chrono::steady_clock::now();
  runTask([]() -> Task<void> { co_await sleep(2500ms); }());
  EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
}

TEST(AsyncRuntime, GioOperationsAreCancelledWithTheTask) {
  // A socket client's connection to a port nothing answers would wait for long;
  // cancellation must end it at once as Cancelled.
  GSocketListener* listener = g_socket_listener_new();
  const guint16 port = g_socket_listener_add_any_inet_port(listener, nullptr, nullptr);
  auto task = spawn([](guint16 port) -> Task<void> {
    GSocketClient* client = g_socket_client_new();
    const std::string address = "127.0.0.1:" + std::to_string(port);
    // Connecting succeeds at once (the kernel accepts); reading then waits forever.
    auto connected = co_await vesk::async::gioCall([&](GCancellable* c, GAsyncReadyCallback cb, gpointer d) {
      g_socket_client_connect_to_host_async(client, address.c_str(), port, c, cb, d);
    });
    GSocketConnection* connection = g_socket_client_connect_to_host_finish(client, connected.get(), nullptr);
    g_object_unref(client);
    auto* input = g_io_stream_get_input_stream(G_IO_STREAM(connection));
    char buffer[16];
    auto read = co_await vesk::async::gioCall([&](GCancellable* c, GAsyncReadyCallback cb, gpointer d) {
      g_input_stream_read_async(input, buffer, sizeof buffer, G_PRIORITY_DEFAULT, c, cb, d);
    });
    GError* error = nullptr;
    g_input_stream_read_finish(input, read.get(), &error);
    g_object_unref(connection);
    if (error) {
      vesk::glib::ErrorPtr owned(error);
      vesk::async::throwError(owned.get());
    }
  }(port));
  vesk::testing::runFor(50ms);
  EXPECT_FALSE(task.isDone());
  task.cancel();
  waitFor(task, 2s);
  EXPECT_THROW(task.result(), Cancelled);
  g_socket_listener_close(listener);
  g_object_unref(listener);
}

TEST(AsyncRuntime, BackgroundWorkRunsOffTheMainThreadAndReturnsToIt) {
  const auto mainThread = std::this_thread::get_id();
  std::thread::id workerThread;
  const auto [value, resumedOn] = runTask([](std::thread::id& worker) -> Task<std::pair<int, std::thread::id>> {
    const int v = co_await vesk::async::inBackground([&worker] {
      worker = std::this_thread::get_id();
      return 6 * 7;
    });
    co_return std::pair{v, std::this_thread::get_id()};
  }(workerThread));
  EXPECT_EQ(value, 42);
  EXPECT_NE(workerThread, mainThread);
  EXPECT_EQ(resumedOn, mainThread);
  EXPECT_THROW(
      runTask([]() -> Task<void> { co_await vesk::async::inBackground([] { throw std::out_of_range("bad"); }); }()),
      std::out_of_range);
}
