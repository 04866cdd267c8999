#include "ui/app/file_panel.h"

#include "core/records/vesk_error.h"
#include "ui/app/chooser_answer.h"

#include <gtkmm/filefilter.h>

namespace vesk::ui {

namespace {

// The kinds the service reads, by the names readAuditAttachment accepts: the workspace
// types a file by its name, so the panel offers exactly those (a MIME filter for plain
// text would also offer XML, SVG and source files, which the workspace refuses).
constexpr const char* auditFileSuffixes[] = {"png", "jpg", "jpeg", "webp", "gif", "pdf", "txt", "md"};

Glib::RefPtr<Gtk::FileFilter> auditFileFilter() {
  auto filter = Gtk::FileFilter::create();
  filter->set_name(NativeFilePanel::filterName);
  for (const char* suffix : auditFileSuffixes) filter->add_suffix(suffix);  // in any case
  return filter;
}

}  // namespace

async::Task<std::optional<std::vector<std::string>>> NativeFilePanel::chooseAuditFiles(Gtk::Window* parent) {
  auto chooser = Gtk::FileChooserNative::create(title, Gtk::FileChooser::Action::OPEN);
  if (parent) chooser->set_transient_for(*parent);
  chooser->set_modal(true);
  chooser->set_select_multiple(true);
  chooser->add_filter(auditFileFilter());
  ChooserAnswer answer(chooser);  // named: GCC 12 mishandles owning temporaries in co_await
  const auto files = co_await answer;
  if (!files) co_return std::nullopt;
  std::vector<std::string> paths;
  for (const auto& file : *files) {
    auto path = file->get_path();
    if (path.empty()) throw VeskError(notLocalSentence);
    paths.push_back(std::move(path));
  }
  co_return paths;
}

}  // namespace vesk::ui
