#include "ui/app/sign_in_desktop.h"

#include "core/platform/object_ptr.h"

#include <gtkmm/application.h>
#include <gtkmm/window.h>

namespace vesk::ui {

namespace {

// Holds the window weakly: a window closed meanwhile is simply not presented.
class WeakAnchorWindow : public AnchorWindow {
 public:
  explicit WeakAnchorWindow(GtkWindow* window) { g_weak_ref_init(&window_, window); }
  ~WeakAnchorWindow() override { g_weak_ref_clear(&window_); }
  WeakAnchorWindow(const WeakAnchorWindow&) = delete;
  WeakAnchorWindow& operator=(const WeakAnchorWindow&) = delete;

  void present() override {
    const auto window = glib::ObjectPtr<GObject>::adopt(static_cast<GObject*>(g_weak_ref_get(&window_)));
    if (window) gtk_window_present(GTK_WINDOW(window.get()));
  }

 private:
  GWeakRef window_;
};

std::shared_ptr<AnchorWindow> anchorFor(Gtk::Window* window) {
  if (!window || !window->get_visible()) return nullptr;
  return std::make_shared<WeakAnchorWindow>(window->gobj());
}

}  // namespace

std::shared_ptr<AnchorWindow> signInAnchor() {
  auto application = std::dynamic_pointer_cast<Gtk::Application>(Gio::Application::get_default());
  if (!application) return nullptr;
  if (auto anchor = anchorFor(application->get_active_window())) return anchor;
  for (Gtk::Window* window : application->get_windows())
    if (auto anchor = anchorFor(window)) return anchor;
  return nullptr;
}

bool openInBrowser(const std::string& address) {
  GdkDisplay* display = gdk_display_get_default();
  const auto context =
      display
          ? glib::ObjectPtr<GAppLaunchContext>::adopt(G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display)))
          : glib::ObjectPtr<GAppLaunchContext>();
  glib::ErrorSlot error;
  if (g_app_info_launch_default_for_uri(address.c_str(), context.get(), error.out())) return true;
  g_warning("could not open the browser: %s", error.message().c_str());
  return false;
}

}  // namespace vesk::ui
