#include "core/report/page_script_queue.h"

#include "core/async/background.h"
#include "core/async/main_loop.h"
#include "core/report/reader_bridge.h"

#include <algorithm>

namespace vesk {

void PageScriptQueue::send(std::string script) {
  std::vector<std::string> scripts;
  scripts.push_back(std::move(script));
  send(std::move(scripts));
}

void PageScriptQueue::send(std::vector<std::string> scripts) {
  if (scripts.empty()) return;
  entries_.push_back(Entry{++lastSerial_, std::move(scripts)});
  flush();
}

void PageScriptQueue::sendBuilt(std::function<std::vector<std::string>()> build) {
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
async::Task<void> PageScriptQueue::build(std::uint64_t serial, std::function<std::vector<std::string>()> work) {
  std::optional<std::vector<std::string>> scripts;
  try {
    auto building = async::inBackground(std::move(work));
    scripts = co_await std::move(building);
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception&) {
    // Scripts that could not be built (no memory for them) are left out; the rest go on.
  }
  const auto entry =
      std::find_if(entries_.begin(), entries_.end(), [serial](const Entry& held) { return held.serial == serial; });
  if (entry == entries_.end()) co_return;
  if (scripts && !scripts->empty()) {
    entry->scripts = std::move(scripts);
  } else {
    entries_.erase(entry);
  }
  flush();
}

// Runs what is ready at the front. After a script of a delivery that has more to come,
// the rest waits for the next turn of the main loop, and so does everything behind it.
// The script runs last: the page's answer may reach the bridge, and the queue, at once.
void PageScriptQueue::flush() {
  while (!turnAwaited_ && !entries_.empty() && entries_.front().scripts) {
    Entry& front = entries_.front();
    std::string script = std::move((*front.scripts)[front.next++]);
    const bool more = front.next < front.scripts->size();
    if (more) {
      flushNextTurn();
    } else {
      entries_.pop_front();
    }
    page_.evaluateScript(script);
  }
}

void PageScriptQueue::flushNextTurn() {
  turnAwaited_ = true;
  async::post([alive = std::weak_ptr<bool>(alive_), this] {
    if (!alive.lock()) return;
    turnAwaited_ = false;
    flush();
  });
}

}  // namespace vesk
