#include "ui/app/chooser_answer.h"

#include "core/async/main_loop.h"
#include "core/platform/object_ptr.h"

#include <gtkmm/dialog.h>

namespace vesk::ui {

void ChooserAnswer::suspend(std::coroutine_handle<> self, async::TaskContext& context) {
  response_ = chooser_->signal_response().connect([this, self](int response) {
    response_.disconnect();
    hook_->disconnect();
    if (response == Gtk::ResponseType::ACCEPT) {
      std::vector<Glib::RefPtr<Gio::File>> files;
      const auto list =
          glib::ObjectPtr<GListModel>::adopt(gtk_file_chooser_get_files(GTK_FILE_CHOOSER(chooser_->gobj())));
      for (guint i = 0; list && i < g_list_model_get_n_items(list.get()); ++i)
        files.push_back(Glib::wrap(G_FILE(g_list_model_get_item(list.get(), i))));  // takes the item's reference
      files_ = std::move(files);
    }
    async::post([self] { self.resume(); });
  });
  hook_.emplace(context.cancellable(), [this, self] {
    response_.disconnect();
    hook_->disconnect();
    chooser_->hide();
    cancelled_ = true;
    async::post([self] { self.resume(); });
  });
  chooser_->show();
}

}  // namespace vesk::ui
