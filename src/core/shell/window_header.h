#pragma once
// What the window header draws: the current screen's title (none on home) and the
// toolbar's buttons with their enabled states, and the operations behind the buttons
// that reach the workspace and the root's shared state. Changes once per main-loop turn
// (see ChangeCoalescer). Every operation tests its button's rule again when it runs, so
// a key pressed or a button clicked after the state moved on does nothing.
#include "core/shell/change_coalescer.h"
#include "core/shell/header_rules.h"
#include "core/shell/root_view_state.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class WindowHeader {
 public:
  struct Button {
    HeaderItem item;
    bool enabled = true;
    bool operator==(const Button&) const = default;
  };
  struct State {
    Screen screen = Screen::home;
    std::optional<std::string> title;
    std::vector<Button> buttons;
    bool operator==(const State&) const = default;

    // The button for `item`, when the toolbar holds it.
    std::optional<Button> button(HeaderItem item) const;
    // Whether `item` is shown and enabled.
    bool works(HeaderItem item) const;
  };

  WindowHeader(std::shared_ptr<Workspace> workspace, RootViewState& root);

  const State& state() const { return state_; }
  // Emitted after state() changed.
  sigc::signal<void()>& signalChanged() { return changed_; }

  void toggleSidebar() { root_.toggleSidebar(); }
  void goBack();
  // Opens the file panel for the composer's attachments.
  void addFiles();
  void exportPDF();
  void newAudit();

 private:
  State read() const;
  void refresh();

  std::shared_ptr<Workspace> workspace_;
  RootViewState& root_;
  State state_;
  sigc::signal<void()> changed_;
  ChangeCoalescer changes_;
};

}  // namespace vesk
