#pragma once
// One project of the list: its name, two lines of its brief, and its run count with the
// date of its last activity. The whole row opens the project. Built once per place in
// the list and bound to whichever project shows there.
#include "core/library/library_list_entries.h"
#include "ui/controls/lazy_tooltip.h"

#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <functional>
#include <string>

namespace vesk::ui {

class ProjectListRow : public Gtk::Button {
 public:
  // `open` gets the id of the project the row shows.
  explicit ProjectListRow(std::function<void(const std::string&)> open);

  void bind(const LibraryProjectRow& project);
  // The whole name, shown when the pointer rests on the row.
  const std::string& tooltipText() const { return tooltip_.text(); }

 private:
  std::string projectID_;
  // Managed, owned by the row.
  Gtk::Label* name_;
  Gtk::Label* brief_;
  Gtk::Label* runCount_;
  Gtk::Label* activity_;
  LazyTooltip tooltip_{*this};
};

}  // namespace vesk::ui
