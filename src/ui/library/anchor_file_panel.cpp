#include "ui/library/anchor_file_panel.h"

#include "core/records/vesk_error.h"
#include "ui/app/chooser_answer.h"
#include "ui/app/file_panel.h"

#include <gtkmm/filefilter.h>

namespace vesk::ui {

async::Task<std::optional<std::string>> NativeAnchorFilePanel::chooseAnchorFile(Gtk::Window* parent) {
  auto chooser = Gtk::FileChooserNative::create(title, Gtk::FileChooser::Action::OPEN);
  if (parent) chooser->set_transient_for(*parent);
  chooser->set_modal(true);
  auto filter = Gtk::FileFilter::create();
  filter->set_name(filterName);
  for (const char* suffix : {"png", "jpg", "jpeg", "webp", "gif", "pdf"}) filter->add_suffix(suffix);
  chooser->add_filter(filter);
  ChooserAnswer answer(chooser);  // named: GCC 12 mishandles owning temporaries in co_await
  const auto files = co_await answer;
  if (!files || files->empty()) co_return std::nullopt;
  auto path = files->front()->get_path();
  if (path.empty()) throw VeskError(NativeFilePanel::notLocalSentence);
  co_return path;
}

}  // namespace vesk::ui
