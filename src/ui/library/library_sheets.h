#pragma once
// The two sheets the library screen shows over itself: the confirmation of a run's
// deletion and the preview of a project's anchor image. Both are redrawn in place as the
// library's state moves on (busy, an error, an image that finished loading).
#include "core/report/report_source_preview.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/picture.h>
#include <gtkmm/spinner.h>

#include <functional>
#include <optional>
#include <string>

namespace vesk::ui {

class RunDeletionSheet : public Gtk::Box {
 public:
  RunDeletionSheet(std::function<void()> onCancel, std::function<void()> onDelete);
  void update(bool busy, const std::optional<std::string>& error);

  Gtk::Button& cancelButton() { return *cancel_; }
  Gtk::Button& deleteButton() { return *delete_; }
  Gtk::Label& errorLabel() { return *error_; }

 private:
  // Managed, owned by the sheet.
  Gtk::Label* error_;
  Gtk::Button* cancel_;
  Gtk::Button* delete_;
};

class AnchorPreviewSheet : public Gtk::Box {
 public:
  explicit AnchorPreviewSheet(std::function<void()> onDismiss);
  void update(const std::optional<ReportSourcePreview>& preview);

  Gtk::Label& title() { return *title_; }
  Gtk::Label& message() { return *message_; }
  Gtk::Picture& picture() { return *picture_; }
  Gtk::Button& doneButton() { return *done_; }

 private:
  // Managed, owned by the sheet.
  Gtk::Label* title_;
  Gtk::Spinner* spinner_;
  Gtk::Label* message_;
  Gtk::Picture* picture_;
  Gtk::Button* done_;
  std::shared_ptr<const std::string> shownBytes_;
};

}  // namespace vesk::ui
