#pragma once
// The desktop's native save panel, modal for the application's window, with the proposed
// name filled in: for a report's PDF (PDF files only), its Markdown (text files) or any
// other file.
#include "core/workspace/save_dialog.h"

#include <gtkmm/window.h>

#include <functional>

namespace vesk::ui {

class PdfSaveDialog : public SaveDialog {
 public:
  // The window the panel belongs to, or nullptr while none is shown.
  using ParentProvider = std::function<Gtk::Window*()>;
  explicit PdfSaveDialog(ParentProvider parent) : parent_(std::move(parent)) {}

  async::Task<std::optional<std::string>> choosePdfDestination(std::string suggestedName) override;
  async::Task<std::optional<std::string>> chooseDestination(std::string suggestedName, SavedFileKind kind) override;

 private:
  ParentProvider parent_;
};

}  // namespace vesk::ui
