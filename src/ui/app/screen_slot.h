#pragma once
// The place under the header where the workspace's current screen is shown. Each change
// of screen builds the new screen's view afresh (moving between home and the composer
// too), so a screen's view state starts anew on every visit. The view it replaces leaves
// the window at once and is torn down in an idle after the next frame, so the switch's
// first frame does not wait for the disposal of the old screen's widgets. The first Tab
// after a change goes into the new screen (ScreenEntry).
#include "core/workspace/screen.h"
#include "ui/app/screen_context.h"
#include "ui/app/screen_entry.h"
#include "ui/base/single_child_widget.h"

#include <sigc++/connection.h>

#include <memory>
#include <optional>

namespace vesk::ui {

class ScreenSlot : public SingleChildWidget {
 public:
  explicit ScreenSlot(ScreenContext context);
  ~ScreenSlot() override;

  // Shows `screen`, building its view unless it is already shown.
  void show(Screen screen);
  std::optional<Screen> screen() const { return screen_; }
  Gtk::Widget* page() { return page_.get(); }
  // The view last replaced, while it waits to be torn down.
  Gtk::Widget* retiredPage() { return retired_.get(); }

 private:
  void retire(std::unique_ptr<Gtk::Widget> page);
  void disposeRetired();

  ScreenContext context_;
  ScreenEntry entry_{*this};
  std::optional<Screen> screen_;
  std::unique_ptr<Gtk::Widget> page_;
  std::unique_ptr<Gtk::Widget> retired_;
  sigc::connection afterPaint_;
  sigc::connection disposal_;
};

}  // namespace vesk::ui
