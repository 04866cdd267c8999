#pragma once
// The single application window: titled "Vesk", always in the light look, with a hidden
// title bar (an empty titlebar widget, so the desktop's resize edges stay; the header
// band drags the window and carries its controls). Its content is the root view; its
// commands are actions of the window with their shortcuts.
#include "core/workspace/workspace.h"
#include "ui/app/shell_services.h"

#include <gtkmm/applicationwindow.h>

#include <memory>

namespace vesk::ui {

class RootView;
class ShellActions;

class VeskWindow : public Gtk::ApplicationWindow {
 public:
  static constexpr int defaultWidth = 1220;
  static constexpr int defaultHeight = 850;

  VeskWindow(std::shared_ptr<Workspace> workspace, ShellServices services);
  ~VeskWindow() override;

  RootView& root() { return *root_; }
  ShellActions& actions() { return *actions_; }

 private:
  std::shared_ptr<Workspace> workspace_;
  std::unique_ptr<ShellActions> actions_;
  std::unique_ptr<RootView> root_;
};

// Keeps `settings` in the light look whatever the desktop prefers.
void keepLightLook(const Glib::RefPtr<Gtk::Settings>& settings);

}  // namespace vesk::ui
