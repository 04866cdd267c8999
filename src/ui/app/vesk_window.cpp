#include "ui/app/vesk_window.h"

#include "core/style/shell_stylesheet.h"
#include "core/style/vesk_stylesheet.h"
#include "ui/app/root_view.h"
#include "ui/app/shell_actions.h"

#include <gtkmm/settings.h>

namespace vesk::ui {

void keepLightLook(const Glib::RefPtr<Gtk::Settings>& settings) {
  if (!settings) return;
  // Each write makes GTK load its theme again, even when the value stays the same: only
  // what differs is written.
  if (settings->property_gtk_application_prefer_dark_theme().get_value())
    settings->property_gtk_application_prefer_dark_theme() = false;
  // A dark variant of the theme chosen by name would darken GTK's own dialogs and menus.
  const Glib::ustring theme = settings->property_gtk_theme_name();
  const Glib::ustring darkSuffix = "-dark";
  if (theme.size() > darkSuffix.size() && theme.lowercase().substr(theme.size() - darkSuffix.size()) == darkSuffix)
    settings->property_gtk_theme_name() = theme.substr(0, theme.size() - darkSuffix.size());
}

VeskWindow::VeskWindow(std::shared_ptr<Workspace> workspace, ShellServices services)
    : workspace_(std::move(workspace)),
      actions_(std::make_unique<ShellActions>(*this, workspace_, std::move(services.openLink))),
      root_(std::make_unique<RootView>(workspace_, *actions_, std::move(services.filePanel),
                                       std::move(services.readerPage))) {
  set_title("Vesk");
  set_default_size(defaultWidth, defaultHeight);
  add_css_class(VeskStylesheet::canvasClass);
  keepLightLook(get_settings());
  // Closing hides the window, which ends the application (the runs go on at the
  // service); the window stays intact for as long as the application lives.
  set_hide_on_close(true);
  auto* titlebar = Gtk::make_managed<Gtk::Box>();
  titlebar->add_css_class(ShellClasses::hiddenTitlebar);
  set_titlebar(*titlebar);  // empty: the title bar is hidden, the window keeps its edges
  set_child(*root_);
}

VeskWindow::~VeskWindow() { unset_child(); }

}  // namespace vesk::ui
