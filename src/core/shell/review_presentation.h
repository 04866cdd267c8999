#pragma once
// What the full-audit review screen draws: what a full audit is, a summary of what will
// be audited, the confirmation that one run is used (in the preview: that the report is
// a fictional sample), and the run button, enabled once confirmed and, for a live
// account, only with at least one full audit left. Changes once per main-loop turn.
#include "core/shell/change_coalescer.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>

#include <memory>
#include <string>

namespace vesk {

// "1 URL · 2 files", with " · Saved project context" when the project has saved context.
std::string reviewSourcesLine(std::size_t urls, std::size_t files, bool existingContext);

class ReviewPresentation {
 public:
  static constexpr const char* heading = "Full audit";
  static constexpr const char* angles = "Eight expert angles";
  static constexpr const char* note =
      "Each expert audits independently. Vesk checks the evidence before bringing the findings into one report.";
  static constexpr const char* backTitle = "Back to context";

  struct State {
    std::string lead;
    std::string projectName;
    std::string sourcesLine;  // counts the addresses the run audits: the field's and the brief's
    std::string confirmationLabel;
    bool confirmed = false;
    std::string runTitle;
    bool runEnabled = false;
    bool operator==(const State&) const = default;
  };

  explicit ReviewPresentation(std::shared_ptr<Workspace> workspace);
  ReviewPresentation(const ReviewPresentation&) = delete;
  ReviewPresentation& operator=(const ReviewPresentation&) = delete;

  const State& state() const { return state_; }
  sigc::signal<void()>& signalChanged() { return changed_; }

  void setConfirmed(bool confirmed);
  // Back to the discovery screen; the answers and the confirmation stay.
  void back();
  // The run button (or Ctrl+Return); does nothing while it is disabled.
  void run();

 private:
  State read() const;
  bool runEnabled() const;
  void refresh();

  std::shared_ptr<Workspace> workspace_;
  State state_;
  sigc::signal<void()> changed_;
  ChangeCoalescer changes_;
};

}  // namespace vesk
