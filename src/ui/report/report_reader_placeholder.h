#pragma once
// Stands where the report reader's web view goes until it is built: the report's text as
// plain text below the reader's top inset. It takes the reader's arguments
// and its print command so the screen around it is already complete.
#include "core/report/report_screen_rules.h"

#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>

namespace vesk::ui {

class ReportReaderPlaceholder : public Gtk::ScrolledWindow {
 public:
  ReportReaderPlaceholder();

  void setArguments(const ReaderArguments& arguments);
  const ReaderArguments& arguments() const { return arguments_; }
  // Printing needs the reader page; the placeholder has nothing to print.
  void print() {}

  Gtk::Label& text() { return *text_; }

 private:
  ReaderArguments arguments_;
  Gtk::Label* text_;  // managed, owned by the placeholder
};

}  // namespace vesk::ui
