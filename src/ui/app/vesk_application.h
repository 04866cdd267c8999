#pragma once
// The application object: one window, one instance per user session. A second launch
// (the browser opening the sign-in callback address) hands its addresses over D-Bus to
// the running instance, which passes them to browser sign-in.
#include "core/signin/browser_connection.h"
#include "core/style/resource_bundle.h"
#include "core/workspace/workspace.h"

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

  // With no sign-in object given, the application makes one that presents from its own
  // windows and opens the user's browser.
  static Glib::RefPtr<VeskApplication> create(ResourceLookup findResources = &ResourceBundle::locate,
                                              std::shared_ptr<BrowserConnection> browserConnection = nullptr);
  ~VeskApplication() override;

  const std::shared_ptr<BrowserConnection>& browserConnection() const { return browserConnection_; }
  // The one workspace of the window, made at start-up with the saved session restored.
  const std::shared_ptr<Workspace>& workspace() const { return workspace_; }

 protected:
  VeskApplication(ResourceLookup findResources, std::shared_ptr<BrowserConnection> browserConnection);
  void on_startup() override;
  void on_activate() override;
  void on_open(const type_vec_files& files, const Glib::ustring& hint) override;

 private:
  ResourceLookup findResources_;
  std::optional<ResourceBundle> resources_;  // as found at start-up
  std::shared_ptr<BrowserConnection> browserConnection_;
  std::unique_ptr<VeskWindow> window_;
  std::shared_ptr<Workspace> workspace_;
};

}  // namespace vesk::ui
