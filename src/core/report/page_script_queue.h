#pragma once
// The scripts the reader bridge sends to its page, delivered in the order they were sent.
// A script that takes long to build (a long report escaped into JSON) is built on a
// worker thread, and the ones sent after it wait for it, so the main loop keeps its
// frames and the page still hears everything in order. Clearing drops what is still
// queued: nothing meant for a document reaches the one that replaces it.
#include "core/async/owned_tasks.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

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
  // Builds a script on a worker thread, then sends it in its turn. `build` gets nothing
  // of the caller's state but what it captured.
  void sendBuilt(std::function<std::string()> build);
  // Drops every script not yet run and abandons the builds.
  void clear();
  std::size_t waiting() const { return entries_.size(); }

 private:
  struct Entry {
    std::uint64_t serial = 0;
    std::optional<std::string> script;  // empty while it is being built
  };

  async::Task<void> build(std::uint64_t serial, std::function<std::string()> work);
  void flush();

  ReaderPage& page_;
  std::deque<Entry> entries_;
  std::uint64_t lastSerial_ = 0;
  async::OwnedTasks builds_;  // cancelled when the queue goes
};

}  // namespace vesk
