#include "ui/style/bundled_icons.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gio/gio.h>
#include <gtkmm/icontheme.h>

#include <algorithm>

namespace vesk::ui {

std::optional<std::filesystem::path> BundledIcons::addToIconTheme(const Glib::RefPtr<Gdk::Display>& display,
                                                                  const std::optional<ResourceBundle>& bundle) {
  if (!display || !bundle) return std::nullopt;
  const auto folder = bundle->folder(folderName);
  if (!folder) return std::nullopt;
  const auto theme = Gtk::IconTheme::get_for_display(display);
  const auto searched = theme->get_search_path();
  if (std::find(searched.begin(), searched.end(), folder->string()) == searched.end())
    theme->add_search_path(folder->string());
  return folder;
}

void BundledIcons::warmDecoder(const std::filesystem::path& folder) {
  std::error_code error;
  std::optional<std::filesystem::path> sample;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error)) {
    if (entry.path().extension() == ".svg") {
      sample = entry.path();
      break;
    }
  }
  if (!sample) return;
  // The task owns the path and drops itself when the thread is done.
  GTask* task = g_task_new(nullptr, nullptr, nullptr, nullptr);
  g_task_set_task_data(task, g_strdup(sample->c_str()), g_free);
  g_task_run_in_thread(task, [](GTask*, gpointer, gpointer data, GCancellable*) {
    if (GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file_at_size(static_cast<const char*>(data), 16, 16, nullptr))
      g_object_unref(pixbuf);
  });
  g_object_unref(task);
}

}  // namespace vesk::ui
