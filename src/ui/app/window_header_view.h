#pragma once
// The header's own items in the header band: the current screen's title at the leading
// edge and the capsule toolbar. It draws WindowHeader, forwards the buttons to it and to
// the window's actions (Share and Print reach the report screen through them), and
// takes over the Back and Add files shortcuts, which it enables only while their button
// is shown and works.
#include "core/shell/window_header.h"
#include "ui/app/effect_action.h"

#include <gtkmm/label.h>

#include <memory>

namespace vesk::ui {

class HeaderBand;
class HeaderToolbar;
class ShellActions;

class WindowHeaderView {
 public:
  static constexpr int titleLeadingPadding = 36;
  static constexpr double titleSize = 15;

  WindowHeaderView(HeaderBand& band, std::shared_ptr<Workspace> workspace, RootViewState& root, ShellActions& actions);
  ~WindowHeaderView();
  WindowHeaderView(const WindowHeaderView&) = delete;
  WindowHeaderView& operator=(const WindowHeaderView&) = delete;

  const WindowHeader& model() const { return model_; }
  Gtk::Label& title() { return *title_; }
  HeaderToolbar& toolbar() { return *toolbar_; }

 private:
  void draw();
  void activate(HeaderItem item);

  WindowHeader model_;
  ShellActions& actions_;
  // Managed, owned by the band's slots.
  Gtk::Label* title_;
  HeaderToolbar* toolbar_;
  EffectAction::Ownership back_;
  EffectAction::Ownership addFiles_;
};

}  // namespace vesk::ui
