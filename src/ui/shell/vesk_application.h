#pragma once
// The application object: one window, one instance per user session.
#include "core/style/resource_bundle.h"

#include <gtkmm/application.h>

#include <functional>
#include <memory>
#include <optional>

namespace vesk::ui {

class VeskWindow;

class VeskApplication : public Gtk::Application {
 public:
  // Finds the resource bundle at start-up; tests replace it to start without one.
  using ResourceLookup = std::function<std::optional<ResourceBundle>()>;

  static Glib::RefPtr<VeskApplication> create(ResourceLookup findResources = &ResourceBundle::locate);
  ~VeskApplication() override;

 protected:
  explicit VeskApplication(ResourceLookup findResources);
  void on_startup() override;
  void on_activate() override;

 private:
  ResourceLookup findResources_;
  std::unique_ptr<VeskWindow> window_;
};

}  // namespace vesk::ui
