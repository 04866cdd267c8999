#pragma once
// The scripts the reader bridge sends to its page, delivered in the order they were sent.
// A script that takes long to build (a long report escaped into JSON) is built on a
// worker thread, and the ones sent after it wait for it, so the main loop keeps its
// frames and the page still hears everything in order. A delivery of several scripts
// (the pieces of a long value, see page_call.h) hands one over per turn of the main
// loop. Clearing drops what is still queued: nothing meant for a document reaches the
// one that replaces it.
#include "core/async/owned_tasks.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class ReaderPage;

class PageScriptQueue {
 public:
  // `page` must outlive the queue.
  explicit PageScriptQueue(ReaderPage& page) : page_(page) {}
  PageScriptQueue(const PageScriptQueue&) = delete;
  PageScriptQueue& operator=(const PageScriptQueue&) = delete;

  // Runs `script` in the page after every script sent before it; at once when none waits.
  void send(std::string script);
  // Runs `scripts` in order, in their turn, one per turn of the main loop.
  void send(std::vector<std::string> scripts);
  // Builds scripts on a worker thread, then sends them in their turn. `build` gets
  // nothing of the caller's state but what it captured.
  void sendBuilt(std::function<std::vector<std::string>()> build);
  // Drops every script not yet run and abandons the builds.
  void clear();
  std::size_t waiting() const { return entries_.size(); }

 private:
  struct Entry {
    std::uint64_t serial = 0;
    std::optional<std::vector<std::string>> scripts;  // empty while they are being built
    std::size_t next = 0;                             // the first not yet run
  };

  async::Task<void> build(std::uint64_t serial, std::function<std::vector<std::string>()> work);
  void flush();
  void flushNextTurn();

  ReaderPage& page_;
  std::deque<Entry> entries_;
  std::uint64_t lastSerial_ = 0;
  bool turnAwaited_ = false;  // a delivery goes on at the next turn of the main loop
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  async::OwnedTasks builds_;  // cancelled when the queue goes
};

}  // namespace vesk
