#pragma once
// The sheet in which the user picks an earlier completed full audit of the same project
// as the baseline of a comparison. It shows the baselines a report state has loaded (with
// the loading, failure and empty states) and hands the chosen one to its caller; it never
// closes itself: its caller closes it in onSelect or onCancel. Escape closes it as Cancel
// does, through whoever presented it.
#include "core/async/owned_tasks.h"
#include "core/report/comparison_chooser_model.h"
#include "core/report/report_state.h"

#include "ui/report/sheet_frame.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>

#include <functional>
#include <vector>

namespace vesk::ui {

class ReportComparisonView : public SheetFrame {
 public:
  // The whole sheet, its margin included, and the list's greatest height.
  static constexpr int width = 560;
  static constexpr int margin = 28;
  static constexpr int listHeight = 260;

  ReportComparisonView(ReportState& state, std::function<void(const ReportBaseline&)> onSelect,
                       std::function<void()> onCancel);

  const ComparisonChooserLook& look() const { return look_; }
  Gtk::Box& loadingRow() { return *loading_; }
  Gtk::Label& errorLabel() { return *error_; }
  Gtk::Button& tryAgainButton() { return *tryAgain_; }
  Gtk::Label& emptyLabel() { return *empty_; }
  Gtk::ScrolledWindow& list() { return *scroller_; }
  const std::vector<Gtk::Button*>& rowButtons() const { return rowButtons_; }
  Gtk::Button& cancelButton() { return *cancel_; }

 private:
  void redraw();
  Gtk::Button& makeRow(const ComparisonChooserRow& row);

  ReportState& state_;
  std::function<void(const ReportBaseline&)> onSelect_;
  ComparisonChooserLook look_;
  // Managed, owned by the sheet.
  Gtk::Box* loading_;
  Gtk::Label* error_;
  Gtk::Button* tryAgain_;
  Gtk::Label* empty_;
  Gtk::ScrolledWindow* scroller_;
  Gtk::Box* rows_;
  std::vector<Gtk::Button*> rowButtons_;
  Gtk::Button* cancel_;
};

}  // namespace vesk::ui
