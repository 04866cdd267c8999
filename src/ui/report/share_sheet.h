#pragma once
// The sheet in which the owner of a finished report creates a public read-only link,
// copies it and revokes it. Every change goes through the report state; the sheet keeps
// only its revoke confirmation (ShareSheetModel). While the state is busy every button
// and Escape do nothing.
#include "core/report/share_sheet_model.h"
#include "ui/app/sheet_escape.h"

#include "ui/report/sheet_frame.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/spinner.h>

#include <functional>

namespace vesk::ui {

class ReportShareView : public SheetFrame, public SheetEscape {
 public:
  // The whole sheet, its margin included.
  static constexpr int width = 500;
  static constexpr int margin = 28;

  ReportShareView(ReportState& state, std::function<void()> onDismiss);

  bool escapeCloses() override { return model_.escape(); }

  ShareSheetModel& model() { return model_; }
  Gtk::Label& linkBox() { return *link_; }
  Gtk::Button& copyLinkButton() { return *copy_; }
  Gtk::Button& armRevokeButton() { return *arm_; }
  Gtk::Button& cancelButton() { return *cancel_; }
  Gtk::Button& revokeButton() { return *revoke_; }
  Gtk::Button& createButton() { return *create_; }
  Gtk::Button& doneButton() { return *done_; }
  Gtk::Label& errorLabel() { return *error_; }
  Gtk::Label& messageLabel() { return *message_; }

 private:
  void buildFooter(std::function<void()> onDismiss);
  void redraw();

  ShareSheetModel model_;
  std::function<void()> onDismiss_;
  // Managed, owned by the sheet.
  Gtk::Label* link_;
  Gtk::Box* linkRow_;
  Gtk::Button* copy_;
  Gtk::Button* arm_;
  Gtk::Label* warning_;
  Gtk::Label* error_;
  Gtk::Label* message_;
  Gtk::Box* footerRow_;
  Gtk::Button* cancel_;
  Gtk::Box* space_;
  Gtk::Spinner* spinner_;
  Gtk::Button* revoke_;
  Gtk::Button* create_;
  Gtk::Button* done_;
};

}  // namespace vesk::ui
