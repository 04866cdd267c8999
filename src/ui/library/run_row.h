#pragma once
// One run of a list: its title (or, in the archive, its project and title) with its date,
// the meta line of label, number and status, and a delete button. The row's text opens
// the run. Built once per place in the list and bound to whichever run shows there.
#include "core/library/library_list_entries.h"
#include "ui/controls/lazy_tooltip.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <functional>
#include <optional>
#include <string>

namespace vesk::ui {

class RunRow : public Gtk::Box {
 public:
  // Each gets the id of the run the row shows.
  struct Actions {
    std::function<void(const std::string&)> open;
    std::function<void(const std::string&)> askToDelete;
  };
  explicit RunRow(Actions actions);

  // Draws `run`; `archive` puts its project's name first.
  void bind(const LibraryRunRow& run, bool archive, bool canDelete);
  void setCanDelete(bool canDelete) { delete_->set_sensitive(canDelete); }

  Gtk::Button& openButton() { return *open_; }
  Gtk::Button& deleteButton() { return *delete_; }
  // What the pointer resting on the title and on the delete button shows.
  const std::string& titleTooltip() const { return openTooltip_->text(); }
  const std::string& deleteTooltip() const { return deleteTooltip_->text(); }

 private:
  std::string runID_;
  // Managed, owned by the row.
  Gtk::Button* open_;
  Gtk::Button* delete_;
  Gtk::Label* title_;
  Gtk::Label* date_;
  Gtk::Label* meta_;
  std::optional<LazyTooltip> openTooltip_;
  std::optional<LazyTooltip> deleteTooltip_;
};

}  // namespace vesk::ui
