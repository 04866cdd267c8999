#pragma once
// Writes the saved-run lists on a worker thread, so that a change never waits for the
// disk on the main loop. Each list is written in order: a write takes the newest state
// waiting for its list, so a later state is never overwritten by an earlier one, and a
// state equal to the one last written is skipped. Failures are reported on the main
// loop of the thread that made the writer. Writes under way finish before the process
// exits, so quitting right after a change neither loses it nor leaves a temporary file.
#include "core/records/run_records.h"
#include "core/workspace/saved_run_file.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vesk {

class SavedRunWriter {
 public:
  // Receives the platform's description of a failed write, on the main loop.
  using FailureHandler = std::function<void(const std::string& description)>;

  SavedRunWriter(std::string folder, FailureHandler onFailure);
  // Failures are no longer reported; writes under way still finish.
  ~SavedRunWriter();
  SavedRunWriter(const SavedRunWriter&) = delete;
  SavedRunWriter& operator=(const SavedRunWriter&) = delete;

  const std::string& folder() const;
  // Queues `runs` as the next state of the list and returns at once.
  void write(std::vector<SavedAudit> runs, SavedRunFile::List list);
  // Whether every state queued so far has been written (or skipped, or has failed).
  bool isIdle() const;

  // Blocks until every write of the process has ended.
  static void finishAllWrites();

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
};

}  // namespace vesk
