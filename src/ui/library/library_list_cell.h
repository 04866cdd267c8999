#pragma once
// One place in the library's virtual list. The list builds a handful of cells (those on
// screen and a few more) and binds each to whichever entry shows there: a project row
// or a run row is built once per cell and rebound, the open project's detail and the
// empty state are drawn afresh (there is at most one of each).
#include "core/library/library_screen_model.h"

#include <glibmm/object.h>
#include <gtkmm/box.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace vesk::ui {

class LibraryListCell;
class ProjectDetail;
class ProjectListRow;
class RunRow;

// What the cells of one list share: the screen's model and the browser, and the cells
// bound right now. Shared, since GTK may take the cells apart after the screen is gone.
struct LibraryListHost {
  LibraryScreenModel* model = nullptr;  // none once the screen is gone
  std::function<void(const std::string&)> openLink;
  std::unordered_set<LibraryListCell*> bound;
  std::size_t rowsBuilt = 0;  // project and run row widgets made so far
  std::size_t binds = 0;      // entries bound to cells so far
  // Rows of cells GTK took apart, each holding a reference, for the next cells: GTK's
  // list builds new cells whenever its content changes, and a row costs far more to
  // build than to bind.
  std::vector<RunRow*> spareRunRows;
  std::vector<ProjectListRow*> spareProjectRows;

  LibraryListHost() = default;
  LibraryListHost(const LibraryListHost&) = delete;
  LibraryListHost& operator=(const LibraryListHost&) = delete;
  ~LibraryListHost();
};

// An entry as an item of the list's store.
class LibraryEntryItem : public Glib::Object {
 public:
  static Glib::RefPtr<LibraryEntryItem> create(LibraryEntry entry);
  const LibraryEntry& entry() const { return entry_; }

 private:
  explicit LibraryEntryItem(LibraryEntry entry) : entry_(std::move(entry)) {}
  LibraryEntry entry_;
};

class LibraryListCell : public Gtk::Box {
 public:
  explicit LibraryListCell(std::shared_ptr<LibraryListHost> host);
  ~LibraryListCell() override;

  void bind(LibraryEntry entry);
  void unbind();
  // Unbinds the cell and hands its rows to the host's spares: its item is leaving the
  // list, and GTK takes such cells apart.
  void releaseRows();
  // Follows what a row draws besides its entry: whether its actions are open (the library
  // may be busy) and whether the list is the archive.
  void refresh();

  const LibraryEntry& entry() const { return entry_; }

 private:
  void showOnly(Gtk::Widget* shown);
  void dropTransient();
  RunRow& runRow();
  ProjectListRow& projectRow();
  Gtk::Widget& makeEmptyState(const LibraryEmptyState& empty);

  std::shared_ptr<LibraryListHost> host_;
  LibraryEntry entry_;
  bool drawnArchive_ = false;
  // Managed, owned by the cell.
  RunRow* runRow_ = nullptr;
  ProjectListRow* projectRow_ = nullptr;
  ProjectDetail* detail_ = nullptr;
  Gtk::Widget* emptyState_ = nullptr;
};

}  // namespace vesk::ui
