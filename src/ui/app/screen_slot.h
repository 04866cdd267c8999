#pragma once
// The place under the header where the workspace's current screen is shown. Each change
// of screen builds the new screen's view afresh (moving between home and the composer
// too), so a screen's view state starts anew on every visit.
#include "core/workspace/screen.h"
#include "ui/base/single_child_widget.h"

#include <memory>
#include <optional>

namespace vesk::ui {

// The view of a screen.
std::unique_ptr<Gtk::Widget> makeScreenPage(Screen screen);

class ScreenSlot : public SingleChildWidget {
 public:
  ScreenSlot();
  ~ScreenSlot() override;

  // Shows `screen`, building its view unless it is already shown.
  void show(Screen screen);
  std::optional<Screen> screen() const { return screen_; }
  Gtk::Widget* page() { return page_.get(); }

 private:
  std::optional<Screen> screen_;
  std::unique_ptr<Gtk::Widget> page_;
};

}  // namespace vesk::ui
