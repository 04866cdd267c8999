#pragma once
// What the progress screen draws around the run it hands over to: in the preview an
// eyebrow, the staged sample progress and the button that rehearses a lost connection;
// for a live run the live panel and "Check saved audit"; in both, the paragraph, the way
// back to the workspace and, for a failed quick read the service allows again, "Retry
// quick read". Changes once per main-loop turn.
#include "core/shell/change_coalescer.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

struct StageRow {
  enum class Mark { done, current, toCome };
  std::string text;
  Mark mark = Mark::toCome;
  bool spinner = false;
  bool operator==(const StageRow&) const = default;
};
// One row per stage; the current one (index `progress`) spins while the sample runs
// and is connected.
std::vector<StageRow> stageRows(const std::vector<std::string>& stages, int progress, bool busy, bool connectionLost);

class ProgressPresentation {
 public:
  struct State {
    bool preview = false;
    std::optional<std::string> eyebrow;  // upper case, preview only
    std::string paragraph;
    // Preview only: the sample's stages and the note under them.
    std::vector<StageRow> stages;
    std::string stageNote;
    std::string leaveTitle;
    std::optional<std::string> connectionToggleTitle;  // preview while busy
    bool showsCheckStatus = false;                     // live only
    bool showsRetry = false;
    bool retryEnabled = false;
    bool operator==(const State&) const = default;
  };

  explicit ProgressPresentation(std::shared_ptr<Workspace> workspace);
  ProgressPresentation(const ProgressPresentation&) = delete;
  ProgressPresentation& operator=(const ProgressPresentation&) = delete;

  const State& state() const { return state_; }
  sigc::signal<void()>& signalChanged() { return changed_; }

  // "Cancel sample" / "Return to workspace": stops watching and opens a new audit.
  void leave();
  // "Simulate connection loss" / "Reconnect sample".
  void toggleConnection();
  void checkStatus();
  void retry();

 private:
  State read() const;
  void refresh();

  std::shared_ptr<Workspace> workspace_;
  State state_;
  sigc::signal<void()> changed_;
  ChangeCoalescer changes_;
};

}  // namespace vesk
