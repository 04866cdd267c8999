#include "ui/shell/vesk_application.h"

#include "build_config.h"
#include "ui/shell/vesk_window.h"

namespace vesk::ui {

Glib::RefPtr<VeskApplication> VeskApplication::create() {
  return Glib::make_refptr_for_instance<VeskApplication>(new VeskApplication());
}

VeskApplication::VeskApplication() : Gtk::Application(build::applicationId) {}

VeskApplication::~VeskApplication() = default;

void VeskApplication::on_activate() {
  if (!window_) {
    window_ = std::make_unique<VeskWindow>();
    add_window(*window_);
    window_->signal_hide().connect([this] { remove_window(*window_); });
  }
  window_->present();
}

}  // namespace vesk::ui
