#pragma once
// The application object: one window, one instance per user session.
#include <gtkmm/application.h>

#include <memory>

namespace vesk::ui {

class VeskWindow;

class VeskApplication : public Gtk::Application {
 public:
  static Glib::RefPtr<VeskApplication> create();
  ~VeskApplication() override;

 protected:
  VeskApplication();
  void on_activate() override;

 private:
  std::unique_ptr<VeskWindow> window_;
};

}  // namespace vesk::ui
