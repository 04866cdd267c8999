#include "ui/shell/vesk_application.h"

#include "build_config.h"
#include "ui/shell/vesk_window.h"
#include "ui/style/style_startup.h"

namespace vesk::ui {

Glib::RefPtr<VeskApplication> VeskApplication::create(ResourceLookup findResources) {
  return Glib::make_refptr_for_instance<VeskApplication>(new VeskApplication(std::move(findResources)));
}

VeskApplication::VeskApplication(ResourceLookup findResources)
    : Gtk::Application(build::applicationId), findResources_(std::move(findResources)) {}

VeskApplication::~VeskApplication() = default;

// Fonts and styles are in place before the first widget is built, so no view's text
// depends on which view happened to draw first.
void VeskApplication::on_startup() {
  Gtk::Application::on_startup();
  startUpVeskStyle(findResources_());
}

void VeskApplication::on_activate() {
  if (!window_) {
    window_ = std::make_unique<VeskWindow>();
    add_window(*window_);
    window_->signal_hide().connect([this] { remove_window(*window_); });
  }
  window_->present();
}

}  // namespace vesk::ui
