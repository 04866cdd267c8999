#include "ui/app/pdf_save_dialog.h"

#include "ui/app/chooser_answer.h"

#include <gtkmm/filefilter.h>

namespace vesk::ui {

namespace {

// A save panel answers with one file; its path, or nothing when the user cancelled.
async::Task<std::optional<std::string>> chosenPath(Glib::RefPtr<Gtk::FileChooserNative> chooser) {
  ChooserAnswer answer(std::move(chooser));  // named: GCC 12 mishandles owning temporaries in co_await
  const auto files = co_await answer;
  if (!files || files->empty()) co_return std::nullopt;
  co_return files->front()->get_path();
}

}  // namespace

async::Task<std::optional<std::string>> PdfSaveDialog::choosePdfDestination(std::string suggestedName) {
  auto chooser = Gtk::FileChooserNative::create("Export PDF", Gtk::FileChooser::Action::SAVE);
  if (auto* parent = parent_()) chooser->set_transient_for(*parent);
  chooser->set_modal(true);
  auto filter = Gtk::FileFilter::create();
  filter->set_name("PDF document");
  filter->add_mime_type("application/pdf");
  filter->add_suffix("pdf");
  chooser->add_filter(filter);
  chooser->set_current_name(suggestedName);
  co_return co_await chosenPath(chooser);
}

async::Task<std::optional<std::string>> PdfSaveDialog::chooseDestination(std::string suggestedName,
                                                                         SavedFileKind kind) {
  auto chooser = Gtk::FileChooserNative::create("Save", Gtk::FileChooser::Action::SAVE);
  if (auto* parent = parent_()) chooser->set_transient_for(*parent);
  chooser->set_modal(true);
  switch (kind) {
    case SavedFileKind::plainText: {
      auto filter = Gtk::FileFilter::create();
      filter->set_name("Text");
      filter->add_mime_type("text/plain");
      chooser->add_filter(filter);
      break;
    }
    case SavedFileKind::zipArchive: {
      chooser->set_title("Export archive");
      auto filter = Gtk::FileFilter::create();
      filter->set_name("ZIP archive");
      filter->add_mime_type("application/zip");
      filter->add_suffix("zip");
      chooser->add_filter(filter);
      break;
    }
    case SavedFileKind::anyFile: break;
  }
  chooser->set_current_name(suggestedName);
  co_return co_await chosenPath(chooser);
}

}  // namespace vesk::ui
