#pragma once
// What the root view draws from the workspace: the current screen, the error banner's
// text and the distances that follow the header band's height. Changes once per
// main-loop turn (see ChangeCoalescer), so the screen slot, the veil and the banner
// always show one finished state of the workspace together.
#include "core/shell/change_coalescer.h"
#include "core/shell/root_metrics.h"
#include "core/workspace/workspace.h"

#include <sigc++/signal.h>

#include <memory>
#include <optional>
#include <string>

namespace vesk {

class RootPresentation {
 public:
  struct State {
    Screen screen = Screen::home;
    // The banner's text; the banner shows while there is one.
    std::optional<std::string> error;
    RootMetrics metrics = RootMetrics::forChromeHeight(RootMetrics::initialChromeHeight);
    // The report screen brings its own top edge; every other screen has the veil.
    bool showsTopVeil = true;
    // The library is padded below the header by the root; the other screens pad
    // themselves by the header inset.
    double slotTopPadding = 0;
    bool operator==(const State&) const = default;
  };

  explicit RootPresentation(std::shared_ptr<Workspace> workspace);

  const State& state() const { return state_; }
  // Emitted after state() changed.
  sigc::signal<void()>& signalChanged() { return changed_; }

  // The header band's measured height, without its top margin.
  void setChromeHeight(double height);
  // The banner's close button.
  void dismissError();

 private:
  State read() const;
  void refresh();

  std::shared_ptr<Workspace> workspace_;
  double chromeHeight_ = RootMetrics::initialChromeHeight;
  State state_;
  sigc::signal<void()> changed_;
  ChangeCoalescer changes_;
};

}  // namespace vesk
