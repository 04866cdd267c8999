#include "core/report/page_script_queue.h"

#include "core/async/background.h"
#include "core/report/reader_bridge.h"

#include <algorithm>

namespace vesk {

void PageScriptQueue::send(std::string script) {
  entries_.push_back(Entry{++lastSerial_, std::move(script)});
  flush();
}

void PageScriptQueue::sendBuilt(std::function<std::string()> build) {
  const std::uint64_t serial = ++lastSerial_;
  entries_.push_back(Entry{serial, std::nullopt});
  builds_.add(async::spawn(this->build(serial, std::move(build))));
}

void PageScriptQueue::clear() {
  entries_.clear();
  builds_.cancelAll();
}

// The queue cancels its builds when it goes or clears, so a build that resumes here finds
// the queue alive; its entry may be gone all the same.
async::Task<void> PageScriptQueue::build(std::uint64_t serial, std::function<std::string()> work) {
  std::optional<std::string> script;
  try {
    auto building = async::inBackground(std::move(work));
    script = co_await std::move(building);
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception&) {
    // A script that could not be built (no memory for it) is left out; the rest go on.
  }
  const auto entry =
      std::find_if(entries_.begin(), entries_.end(), [serial](const Entry& held) { return held.serial == serial; });
  if (entry == entries_.end()) co_return;
  if (script) {
    entry->script = std::move(script);
  } else {
    entries_.erase(entry);
  }
  flush();
}

void PageScriptQueue::flush() {
  while (!entries_.empty() && entries_.front().script) {
    const std::string script = std::move(*entries_.front().script);
    entries_.pop_front();
    page_.evaluateScript(script);
  }
}

}  // namespace vesk
