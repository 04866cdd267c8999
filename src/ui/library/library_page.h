#pragma once
// The library screen as the shell shows it: built from the workspace's client, preview
// flag, saved runs and chosen project, reporting to the workspace, and kept up with the
// workspace's later choice of project and a new sign-in while it shows.
#include "core/library/library_screen_model.h"
#include "ui/app/screen_context.h"

#include <gtkmm/widget.h>

#include <memory>

namespace vesk::ui {

std::unique_ptr<Gtk::Widget> makeLibraryPage(const ScreenContext& context);

}  // namespace vesk::ui
