#pragma once
// The confirmation before a run is deleted. Driven only by its arguments: whoever shows it
// (the report's panel, the library) hands it the deletion's progress and failure with
// update(). While the deletion runs its buttons are disabled and Escape does nothing; at
// other times Escape closes the sheet as Cancel does.
#include "core/workspace/published.h"
#include "ui/app/sheet_escape.h"

#include "ui/report/sheet_frame.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <functional>
#include <optional>
#include <string>

namespace vesk::ui {

class ReportDeleteConfirmation : public SheetFrame, public SheetEscape {
 public:
  // The whole sheet, its margin included.
  static constexpr int width = 500;
  static constexpr int margin = 28;

  ReportDeleteConfirmation(std::function<void()> onCancel, std::function<void()> onDelete);

  void update(bool busy, const std::optional<std::string>& error);
  // Follows a state's busy flag and error for as long as the sheet exists.
  void follow(Published<bool>& busy, Published<std::optional<std::string>>& error);
  bool escapeCloses() override { return !busy_; }

  Gtk::Button& cancelButton() { return *cancel_; }
  Gtk::Button& deleteButton() { return *delete_; }
  Gtk::Label& errorLabel() { return *error_; }

 private:
  void followed();

  bool busy_ = false;
  Published<bool>* followedBusy_ = nullptr;
  Published<std::optional<std::string>>* followedError_ = nullptr;
  // Managed, owned by the sheet.
  Gtk::Label* error_;
  Gtk::Box* footerRow_;
  Gtk::Button* cancel_;
  Gtk::Button* delete_;
};

}  // namespace vesk::ui
