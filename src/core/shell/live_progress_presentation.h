#pragma once
// What the live progress panel of a running audit draws. A quick read shows a short
// notice. A full audit shows an estimated percent that creeps toward the time estimate,
// a headline and a subtitle by precedence, and one pill per expert perspective; it is
// evaluated afresh on every change of the workspace and on a 2.5-second tick, which runs
// only while the full-audit layout is shown and ends with this object.
//
// Its clocks start when it is made: the audit's start counts from then when the service
// gives none, and the phase clock restarts whenever the server phase changes. Another
// open run restarts both clocks and sets the number back to 0.
#include "core/platform/object_ptr.h"
#include "core/shell/change_coalescer.h"
#include "core/shell/percent_creep.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// One expert perspective's pill.
struct LensPill {
  // The dot: red when complete, a faint ink when skipped, a faint red otherwise.
  enum class Dot { complete, skipped, pending };
  std::string id;
  std::string text;  // the name, with " (skipped)" when it failed
  Dot dot = Dot::pending;
  bool operator==(const LensPill&) const = default;
};
std::vector<LensPill> lensPills(const std::vector<AuditProgressSnapshot::Lens>& lenses);

// The full audit's headline and subtitle, first rule that matches.
std::string liveHeadline(bool failed, bool connectionLost, const std::optional<AuditProgressSnapshot>& snapshot);
std::string liveSubtitle(bool failed, const std::string& phase, bool connectionLost, const std::string& estimateLabel);

class LiveProgressPresentation {
 public:
  using Clock = std::function<std::chrono::system_clock::time_point()>;
  static constexpr auto tickInterval = std::chrono::milliseconds(2500);

  struct QuickRead {
    std::string title;
    bool spinner = true;
    std::string caption;
    bool operator==(const QuickRead&) const = default;
  };
  struct FullAudit {
    int percent = 0;
    // What assistive technologies read for the number.
    std::string percentReading;
    std::string headline;
    bool spinner = true;
    std::string subtitle;
    // Empty: neither the rule nor the pills show.
    std::vector<LensPill> lenses;
    bool operator==(const FullAudit&) const = default;
  };
  struct State {
    std::optional<QuickRead> quickRead;  // set for a quick read
    FullAudit fullAudit;                 // drawn only for a full audit
    bool operator==(const State&) const = default;
  };

  explicit LiveProgressPresentation(std::shared_ptr<Workspace> workspace,
                                    PercentCreep::RandomStep random = PercentCreep::systemRandom(),
                                    Clock clock = std::chrono::system_clock::now);
  LiveProgressPresentation(const LiveProgressPresentation&) = delete;
  LiveProgressPresentation& operator=(const LiveProgressPresentation&) = delete;

  const State& state() const { return state_; }
  sigc::signal<void()>& signalChanged() { return changed_; }

  // Whether the 2.5-second tick is scheduled.
  bool ticking() const { return static_cast<bool>(ticker_); }
  // One tick of the timeline, as the timer runs it.
  void tick();

 private:
  void workspaceChanged();
  void evaluate();
  void updateTicker();
  static int dispatchTick(void* self);

  std::shared_ptr<Workspace> workspace_;
  Clock clock_;
  PercentCreep creep_;
  std::chrono::system_clock::time_point opened_;
  std::chrono::system_clock::time_point phaseChanged_;
  std::optional<std::string> seenPhase_;
  std::optional<std::string> seenRunID_;
  State state_;
  sigc::signal<void()> changed_;
  glib::SourceId ticker_;
  ChangeCoalescer changes_;
};

}  // namespace vesk
