#pragma once
// One run of a list: its title (or, in the archive, its project and title) with its date,
// the meta line of label, number and status, and a delete button. The row's text opens
// the run.
#include "core/records/run_records.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>

#include <functional>

namespace vesk::ui {

class RunRow : public Gtk::Box {
 public:
  struct Actions {
    std::function<void()> open;
    std::function<void()> askToDelete;
  };
  RunRow(const SavedAudit& run, bool archive, bool canDelete, Actions actions);

  Gtk::Button& openButton() { return *open_; }
  Gtk::Button& deleteButton() { return *delete_; }

 private:
  Gtk::Widget& makeTitleLine(const SavedAudit& run, bool archive);

  // Managed, owned by the row.
  Gtk::Button* open_;
  Gtk::Button* delete_;
};

}  // namespace vesk::ui
