#pragma once
// The band across the top of the main column: the header row (the screen's title, the
// capsule toolbar, the primary menu and the window's controls) and, under it while the
// workspace has one, the error banner. It reports its height upwards, so the root can
// move the screens below it.
#include "core/shell/root_metrics.h"
#include "ui/app/error_banner.h"
#include "ui/app/shell_menu.h"

#include <gtkmm/box.h>

#include <functional>

namespace vesk::ui {

class HeaderBand : public Gtk::Widget {
 public:
  static constexpr int rowHeight = 66;
  static constexpr int rowBottomPadding = static_cast<int>(RootMetrics::headerRowBottomPadding);
  static constexpr int rowSpacing = 16;
  static constexpr int spacerMinimum = 8;

  explicit HeaderBand(std::function<void()> dismissError);
  ~HeaderBand() override;

  // Where the header's own items go: the title group on the leading side, the capsule
  // toolbar on the trailing side before the menu.
  Gtk::Box& titleSlot() { return *titleSlot_; }
  Gtk::Box& toolbarSlot() { return *toolbarSlot_; }
  Gtk::Box& row() { return *row_; }
  ShellMenuButton& menuButton() { return *menuButton_; }
  ErrorBanner& banner() { return *banner_; }

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  // Lays the band out and reports its height.
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  void release();

  // Managed, owned by the band.
  Gtk::Box* stack_;
  Gtk::Box* row_;
  Gtk::Box* titleSlot_;
  Gtk::Box* toolbarSlot_;
  ShellMenuButton* menuButton_;
  ErrorBanner* banner_;
};

}  // namespace vesk::ui
