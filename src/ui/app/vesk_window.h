#pragma once
// The single application window.
#include <gtkmm/applicationwindow.h>

namespace vesk::ui {

class VeskWindow : public Gtk::ApplicationWindow {
 public:
  static constexpr int defaultWidth = 1220;
  static constexpr int defaultHeight = 850;
  static constexpr int minimumWidth = 1020;
  static constexpr int minimumHeight = 740;

  VeskWindow();
};

}  // namespace vesk::ui
