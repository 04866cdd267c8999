#pragma once
// The header's capsule of chrome buttons on a toolbar glass, with thin gold separators
// between its groups. It draws the buttons of WindowHeader's state and hands their
// clicks back; the set of buttons is rebuilt only when it changes, otherwise the
// buttons only enable and disable.
#include "core/shell/window_header.h"
#include "ui/controls/chrome_button.h"
#include "ui/style/vesk_glass_surface.h"

#include <gtkmm/box.h>

#include <functional>
#include <vector>

namespace vesk::ui {

class HeaderToolbar : public VeskGlassSurface {
 public:
  static constexpr int padding = 5;
  static constexpr int spacing = 2;
  static constexpr int trailingPadding = 10;

  explicit HeaderToolbar(std::function<void(HeaderItem)> activate);
  ~HeaderToolbar() override;

  void show(const std::vector<WindowHeader::Button>& buttons);

  // The button for `item`, or nullptr when it is not shown.
  ChromeButton* button(HeaderItem item);
  // Every shown item, separators included, left to right.
  std::vector<HeaderItem> items() const;
  Gtk::Box& row() { return *row_; }

  // The label of `item`'s button, which is also its tooltip and accessible name.
  static Glib::ustring label(HeaderItem item);

 private:
  void rebuild(const std::vector<WindowHeader::Button>& buttons);

  std::function<void(HeaderItem)> activate_;
  Gtk::Box* row_;  // managed, owned by the surface
  std::vector<HeaderItem> items_;
  std::vector<std::pair<HeaderItem, ChromeButton*>> buttons_;  // managed, owned by the row
};

}  // namespace vesk::ui
