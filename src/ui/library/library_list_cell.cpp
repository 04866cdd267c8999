#include "ui/library/library_list_cell.h"

#include "core/style/shell_stylesheet.h"
#include "ui/library/library_widgets.h"
#include "ui/library/project_detail.h"
#include "ui/library/project_list_row.h"
#include "ui/library/run_row.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

Glib::RefPtr<LibraryEntryItem> LibraryEntryItem::create(LibraryEntry entry) {
  return Glib::make_refptr_for_instance(new LibraryEntryItem(std::move(entry)));
}

LibraryListCell::LibraryListCell(std::shared_ptr<LibraryListHost> host)
    : Gtk::Box(Gtk::Orientation::VERTICAL), host_(std::move(host)) {
  set_hexpand(true);
}

LibraryListCell::~LibraryListCell() { host_->bound.erase(this); }

void LibraryListCell::bind(LibraryEntry entry) {
  if (!host_->model) return;
  entry_ = std::move(entry);
  host_->bound.insert(this);
  ++host_->binds;
  dropTransient();
  auto& model = *host_->model;
  drawnArchive_ = model.view() == LibraryView::archive;
  std::visit(
      [&](const auto& shown) {
        using Shown = std::decay_t<decltype(shown)>;
        if constexpr (std::is_same_v<Shown, LibraryRunRow>) {
          runRow().bind(shown, drawnArchive_, !*model.state().busy && !shown.running);
          showOnly(runRow_);
        } else if constexpr (std::is_same_v<Shown, LibraryProjectRow>) {
          projectRow().bind(shown);
          projectRow_->set_sensitive(model.canChangeProject());
          showOnly(projectRow_);
        } else if constexpr (std::is_same_v<Shown, LibraryDetailEntry>) {
          detail_ = Gtk::make_managed<ProjectDetail>(shown.project, model, host_->openLink);
          append(*detail_);
          showOnly(detail_);
        } else {
          emptyState_ = &makeEmptyState(shown);
          append(*emptyState_);
          showOnly(emptyState_);
        }
      },
      *entry_);
}

void LibraryListCell::unbind() {
  host_->bound.erase(this);
  entry_.reset();
  dropTransient();
}

void LibraryListCell::refresh() {
  if (!entry_ || !host_->model) return;
  const auto& model = *host_->model;
  if (const auto* run = std::get_if<LibraryRunRow>(entry_.get())) {
    const bool archive = model.view() == LibraryView::archive;
    const bool canDelete = !*model.state().busy && !run->running;
    if (archive != drawnArchive_) {
      drawnArchive_ = archive;
      runRow_->bind(*run, archive, canDelete);
    } else {
      runRow_->setCanDelete(canDelete);
    }
  } else if (projectRow_ && std::holds_alternative<LibraryProjectRow>(*entry_)) {
    projectRow_->set_sensitive(model.canChangeProject());
  } else if (detail_) {
    detail_->refresh(model);
  }
}

void LibraryListCell::showOnly(Gtk::Widget* shown) {
  for (Gtk::Widget* child : {static_cast<Gtk::Widget*>(runRow_), static_cast<Gtk::Widget*>(projectRow_)})
    if (child) child->set_visible(child == shown);
}

void LibraryListCell::dropTransient() {
  if (detail_) remove(*detail_);
  if (emptyState_) remove(*emptyState_);
  detail_ = nullptr;
  emptyState_ = nullptr;
}

namespace {

// A spare row of `spares`, taken back from its reference, or nothing.
template <class Row>
Row* takeSpare(std::vector<Row*>& spares) {
  if (spares.empty()) return nullptr;
  Row* row = spares.back();
  spares.pop_back();
  return row;
}

}  // namespace

LibraryListHost::~LibraryListHost() {
  for (auto* row : spareRunRows) row->unreference();
  for (auto* row : spareProjectRows) row->unreference();
}

void LibraryListCell::releaseRows() {
  unbind();
  if (runRow_) {
    runRow_->reference();
    remove(*runRow_);
    host_->spareRunRows.push_back(runRow_);
    runRow_ = nullptr;
  }
  if (projectRow_) {
    projectRow_->reference();
    remove(*projectRow_);
    host_->spareProjectRows.push_back(projectRow_);
    projectRow_ = nullptr;
  }
}

RunRow& LibraryListCell::runRow() {
  if (!runRow_) {
    if ((runRow_ = takeSpare(host_->spareRunRows))) {
      append(*runRow_);
      runRow_->unreference();
      return *runRow_;
    }
    ++host_->rowsBuilt;
    RunRow::Actions actions;
    actions.open = [host = host_](const std::string& runID) {
      if (host->model) host->model->openRunWithID(runID);
    };
    actions.askToDelete = [host = host_](const std::string& runID) {
      if (host->model) host->model->askToDeleteRunWithID(runID);
    };
    runRow_ = Gtk::make_managed<RunRow>(std::move(actions));
    append(*runRow_);
  }
  return *runRow_;
}

ProjectListRow& LibraryListCell::projectRow() {
  if (!projectRow_) {
    if ((projectRow_ = takeSpare(host_->spareProjectRows))) {
      append(*projectRow_);
      projectRow_->unreference();
      return *projectRow_;
    }
    ++host_->rowsBuilt;
    projectRow_ = Gtk::make_managed<ProjectListRow>([host = host_](const std::string& projectID) {
      if (host->model) host->model->openProjectWithID(projectID);
    });
    append(*projectRow_);
  }
  return *projectRow_;
}

Gtk::Widget& LibraryListCell::makeEmptyState(const LibraryEmptyState& empty) {
  auto* column = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 14);
  column->append(
      *wrappingLabel(empty.text, VeskTypography::display(24, FontWeight::regular, true), ShellClasses::secondaryText));
  if (empty.clear != LibraryEmptyState::Clear::none) {
    const bool filters = empty.clear == LibraryEmptyState::Clear::filters;
    auto* clear = pillButton(empty.clearTitle, VeskButtonRole::secondary, PillSize::regular, [host = host_, filters] {
      if (!host->model) return;
      if (filters)
        host->model->clearFilters();
      else
        host->model->clearSearch();
    });
    clear->set_halign(Gtk::Align::START);
    column->append(*clear);
  }
  return *column;
}

}  // namespace vesk::ui
