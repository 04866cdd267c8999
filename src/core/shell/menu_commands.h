#pragma once
// The window's menu commands: which of them are enabled, and what the navigation
// commands do. New audit, Settings… and Projects & history leave the current run, so
// they follow the workspace's navigation gate; Print report needs the report screen.
// The enabled states change once per main-loop turn (see ChangeCoalescer).
#include "core/shell/change_coalescer.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>

#include <memory>

namespace vesk {

class MenuCommands {
 public:
  struct State {
    bool canNavigate = true;  // New audit, Settings…, Projects & history
    bool canPrint = false;    // Print report
    bool operator==(const State&) const = default;
  };

  explicit MenuCommands(std::shared_ptr<Workspace> workspace);

  const State& state() const { return state_; }
  // Emitted after state() changed.
  sigc::signal<void()>& signalChanged() { return changed_; }

  // Each command tests the gate again when it runs: a menu shown while the gate was
  // open can be clicked after it shut.
  void newAudit();
  void openSettings();
  // Always opens the library with no project selected, even when it shows one.
  void openHistory();

 private:
  State read() const;
  void refresh();

  std::shared_ptr<Workspace> workspace_;
  State state_;
  sigc::signal<void()> changed_;
  ChangeCoalescer changes_;
};

}  // namespace vesk
