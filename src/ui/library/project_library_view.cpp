#include "ui/library/project_library_view.h"

#include "core/style/library_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/app/root_view.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/global_escape.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/library/library_widgets.h"
#include "ui/library/project_editor_view.h"
#include "ui/report/image_preview_sheet.h"
#include "ui/report/report_delete_sheet.h"
#include "ui/style/vesk_scroll_edges.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/noselection.h>
#include <gtkmm/root.h>
#include <gtkmm/signallistitemfactory.h>

#include <unordered_set>

namespace vesk::ui {

namespace {

constexpr int padding = 32;
constexpr int spacing = 20;
// The padded screen fits the main column of the window at its minimum width with the
// sidebar shown, so the library never makes the window's minimum wider.
constexpr int minimumWidth = RootView::minimumWidth - RootView::sidebarWidth - 3 * RootView::columnMargin - 2 * padding;

struct KindChip {
  const char* title;
  const char* value;
};
constexpr KindChip kindChips[] = {{"All", "all"}, {"Website", "landing"}, {"Application", "dashboard"}};

void restyleChip(Gtk::Button& chip, bool selected, VeskChoicePillTreatment treatment) {
  VeskChoicePillStyle(selected ? ChipSelection::selected : ChipSelection::unselected, treatment).apply(chip);
}

}  // namespace

ProjectLibraryView::ProjectLibraryView(LibraryScreenModel::Inputs inputs, LibraryScreenCallbacks callbacks,
                                       Services services)
    : Gtk::Box(Gtk::Orientation::VERTICAL, spacing),
      model_(services.saveDialog, std::move(inputs), std::move(callbacks)),
      services_(std::move(services)),
      sheetLayer_(services_.sheets),
      listHost_(std::make_shared<LibraryListHost>()) {
  listHost_->model = &model_;
  listHost_->openLink = services_.openLink;
  set_margin(padding);
  set_size_request(minimumWidth, -1);
  set_hexpand(true);
  set_vexpand(true);
  append(makeTopBar());
  title_ = wrappingLabel("", VeskTypography::display(48, FontWeight::regular, true));
  // One line, cut at the end, so a long project name leaves the list its room at the
  // window's minimum height; the whole name is in the tooltip.
  title_->set_lines(1);
  title_->set_ellipsize(Pango::EllipsizeMode::END);
  title_->property_accessible_role() = Gtk::Accessible::Role::HEADING;
  append(*title_);
  fixtureNote_ =
      wrappingLabel("Local preview · Changes in this library stay in this window. No cloud data or credits are used.",
                    VeskTypography::body(15), LibraryClasses::mutedText);
  append(*fixtureNote_);
  error_ = wrappingLabel("", VeskTypography::body(15), ShellClasses::secondaryText);
  error_->set_selectable(true);
  append(*error_);
  search_ = Gtk::make_managed<Gtk::Entry>();
  search_->set_has_frame(false);
  search_->add_css_class(LibraryClasses::searchField);
  search_->signal_changed().connect([this] { model_.setSearch(search_->get_text()); });
  append(*search_);
  append(makeKindRow());
  append(makeProjectActions());
  append(makeList());
  append(makeBottomBar());

  addGlobalEscape(*this, [this] { return escape(); });

  preview_ = std::make_unique<AnchorPreviewHost>(
      *services_.sheets, [this] { return model_.shownPreview(); }, [this] { model_.dismissPreview(); });
  model_.signalEntriesChanged().connect([this](const std::vector<ListSplice>&) { followEntries(); });
  model_.signalChanged().connect(sigc::mem_fun(*this, &ProjectLibraryView::redraw));
  followEntries();
  redraw();
  model_.appear();
}

ProjectLibraryView::~ProjectLibraryView() {
  // GTK has taken the widget tree apart by now: the list and its frame callback are gone,
  // and the window's sheet layer may be.
  leaving_ = true;
  // Cells may outlive the screen while GTK takes the list apart: they reach nothing now.
  listHost_->model = nullptr;
  preview_.reset();
  if (deletionSheet_) dismissIfLayerAlive(sheetLayer_, *deletionSheet_);
  if (editorSheet_) dismissIfLayerAlive(sheetLayer_, *editorSheet_);
}

Gtk::Widget& ProjectLibraryView::makeTopBar() {
  auto* bar = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  const auto answer = VeskChoicePillTreatment::answer;
  projectsPill_ = choiceChip("Projects", true, answer, [this] { model_.showProjects(); });
  archivePill_ = choiceChip("The archive", false, answer, [this] { model_.showArchive(); });
  bar->append(*projectsPill_);
  bar->append(*archivePill_);
  bar->append(*flexibleSpace());
  spinner_ = Gtk::make_managed<VeskSpinner>();
  bar->append(*spinner_);
  newProject_ =
      pillButton("New project", VeskButtonRole::secondary, PillSize::regular, [this] { model_.newProject(); });
  bar->append(*newProject_);
  return *bar;
}

Gtk::Widget& ProjectLibraryView::makeKindRow() {
  kindRow_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 12);
  auto* chips = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  for (std::size_t i = 0; i < std::size(kindChips); ++i) {
    const std::string value = kindChips[i].value;
    kindChips_[i] = choiceChip(kindChips[i].title, value == "all", VeskChoicePillTreatment::filter,
                               [this, value] { model_.setKind(value); });
    chips->append(*kindChips_[i]);
  }
  kindRow_->append(*chips);
  count_ = libraryLabel("", VeskTypography::body(15), LibraryClasses::mutedText);
  count_->set_valign(Gtk::Align::CENTER);
  kindRow_->append(*count_);
  return *kindRow_;
}

Gtk::Widget& ProjectLibraryView::makeProjectActions() {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  projectSettings_ = pillButton("Project settings", VeskButtonRole::secondary, PillSize::regular,
                                [this] { model_.projectSettings(); });
  newAudit_ = pillButton("New audit", VeskButtonRole::accent, PillSize::regular, [this] { model_.newAudit(); });
  row->append(*projectSettings_);
  row->append(*flexibleSpace());
  row->append(*newAudit_);
  projectActions_ = Gtk::make_managed<ActionFooter>(*row);
  return *projectActions_;
}

Gtk::Widget& ProjectLibraryView::makeList() {
  scroller_ = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller_->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller_->set_vexpand(true);
  auto factory = Gtk::SignalListItemFactory::create();
  factory->signal_setup().connect([host = listHost_](const Glib::RefPtr<Gtk::ListItem>& item) {
    // Rows take the focus themselves, so the arrow keys walk the list (nothing is ever
    // selected: the model selects nothing) and Return opens the row.
    item->set_activatable(true);
    item->set_selectable(true);
    item->set_child(*Gtk::make_managed<LibraryListCell>(host));
  });
  factory->signal_bind().connect([](const Glib::RefPtr<Gtk::ListItem>& item) {
    auto* cell = dynamic_cast<LibraryListCell*>(item->get_child());
    const auto entry = std::dynamic_pointer_cast<LibraryEntryItem>(item->get_item());
    if (cell && entry) cell->bind(entry->entry());
  });
  factory->signal_unbind().connect([](const Glib::RefPtr<Gtk::ListItem>& item) {
    if (auto* cell = dynamic_cast<LibraryListCell*>(item->get_child())) cell->unbind();
  });
  auto selection = Glib::wrap(gtk_no_selection_new(G_LIST_MODEL(g_object_ref(entries_.model()))));
  list_ = Gtk::make_managed<Gtk::ListView>(selection, factory);
  list_->add_css_class(LibraryClasses::list);
  list_->signal_activate().connect([this](guint position) { activateEntry(position); });
  // Ticks come only while the list is realized: the stepping stops as the list leaves the
  // window (GTK may finalize it before this screen) and resumes if it comes back.
  list_->signal_unrealize().connect([this] { stopStepping(); });
  list_->signal_realize().connect([this] { tickTowardEntries(); });
  scroller_->set_child(*list_);
  auto* edges = Gtk::make_managed<VeskScrollEdges>(*scroller_);
  edges->set_vexpand(true);
  return *edges;
}

Gtk::Widget& ProjectLibraryView::makeBottomBar() {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  back_ = Gtk::make_managed<Gtk::Button>();
  auto* backContent = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
  if (auto* chevron = makeSymbolImage("chevron.left", 14)) backContent->append(*chevron);
  backContent->append(*Gtk::make_managed<Gtk::Label>("Back to projects"));
  back_->set_child(*backContent);
  VeskPillStyle(VeskButtonRole::secondary, PillSize::regular).apply(*back_);
  back_->signal_clicked().connect([this] { model_.backToProjects(); });
  row->append(*back_);
  row->append(*flexibleSpace());
  refresh_ = pillButton("Refresh", VeskButtonRole::secondary, PillSize::regular, [this] { model_.refresh(); });
  done_ = pillButton("Done", VeskButtonRole::primary, PillSize::regular, [this] { model_.done(); });
  row->append(*refresh_);
  row->append(*done_);
  return *Gtk::make_managed<ActionFooter>(*row);
}

void ProjectLibraryView::redraw() {
  const auto& state = model_.state();
  const auto view = model_.view();
  const bool busy = *state.busy;
  restyleChip(*projectsPill_, !*model_.archive, VeskChoicePillTreatment::answer);
  restyleChip(*archivePill_, *model_.archive, VeskChoicePillTreatment::answer);
  spinner_->set_visible(busy);
  spinner_->set_spinning(busy);
  title_->set_text(model_.title());
  title_->set_tooltip_text(model_.title());
  fixtureNote_->set_visible(model_.fixture());
  error_->set_text(state.error->value_or(""));
  error_->set_visible(state.error->has_value());
  if (std::string(search_->get_text()) != *model_.search) search_->set_text(*model_.search);
  search_->set_placeholder_text(model_.searchPrompt());
  kindRow_->set_visible(view == LibraryView::projects);
  for (std::size_t i = 0; i < std::size(kindChips); ++i)
    restyleChip(*kindChips_[i], *model_.kind == kindChips[i].value, VeskChoicePillTreatment::filter);
  count_->set_text(model_.countLabel());
  projectActions_->set_visible(view == LibraryView::openProject);
  projectSettings_->set_sensitive(model_.canChangeProject());
  newAudit_->set_sensitive(model_.canChangeProject());
  back_->set_visible(state.selected->has_value());
  refresh_->set_sensitive(model_.canRefresh());
  redrawList();
  redrawSheets();
}

void ProjectLibraryView::followEntries() {
  // A new list starts at its top: scrolled there while the old rows still stand, since
  // GTK's list cannot scroll among rows it has not laid out yet.
  startAtTopOnNewIdentity();
  keepStepping();
}

void ProjectLibraryView::keepStepping() {
  if (stepTowardEntries()) tickTowardEntries();
}

void ProjectLibraryView::tickTowardEntries() {
  if (entriesTick_ || entries_.entries() == model_.entries()) return;
  entriesTick_ = list_->add_tick_callback([this](const Glib::RefPtr<Gdk::FrameClock>&) {
    const bool more = stepTowardEntries();
    if (!more) entriesTick_ = 0;
    return more;
  });
}

void ProjectLibraryView::stopStepping() {
  if (entriesTick_) list_->remove_tick_callback(std::exchange(entriesTick_, 0));
}

bool ProjectLibraryView::stepTowardEntries() {
  // GTK's list builds, binds and measures at once a row for every item it is given among
  // the 200 around its top: a whole new list of them is one long frame. Seen from the top,
  // a large change goes in over a few frames, a screenful each; seen from further down, at
  // once, so the rows in view keep their place.
  constexpr ListStepLimit fromTheTop{200, 40};
  const auto& target = model_.entries();
  const bool atTop = scroller_->get_vadjustment()->get_value() <= 0;
  const ListSplice step = nextListStep(entries_.entries(), target, atTop ? fromTheTop : ListStepLimit{});
  if (step.removed == 0 && step.added == 0) return false;
  const auto first = target.begin() + static_cast<std::ptrdiff_t>(step.position);
  // Entries kept inside the range go back as the same items, so their rows stay.
  entries_.splice(step.position, step.removed, {first, first + static_cast<std::ptrdiff_t>(step.added)},
                  [this](const LibraryEntryList::Leaving& leaving) {
                    releaseFocusFromRemovedRow(leaving);
                    // GTK's list drops the cells of removed items: their rows go to the
                    // spares first.
                    std::vector<LibraryListCell*> cells;
                    for (auto* cell : listHost_->bound)
                      if (cell->entry() && leaving.contains(cell->entry().get())) cells.push_back(cell);
                    for (auto* cell : cells) cell->releaseRows();
                  });
  return entries_.entries() != target;
}

void ProjectLibraryView::releaseFocusFromRemovedRow(const std::unordered_set<const LibraryListEntry*>& removed) {
  // GTK's list cannot remove the row that holds the focus: the focus leaves it first.
  auto* root = get_root();
  auto* focus = root ? root->get_focus() : nullptr;
  // The focus is on a row (the cell is its child) or on a button inside a cell.
  const LibraryListCell* cell = focus ? dynamic_cast<const LibraryListCell*>(focus->get_first_child()) : nullptr;
  for (auto* widget = focus; widget && !cell; widget = widget->get_parent())
    cell = dynamic_cast<const LibraryListCell*>(widget);
  if (cell && cell->entry() && removed.contains(cell->entry().get())) root->unset_focus();
}

void ProjectLibraryView::activateEntry(guint position) {
  const auto item = entries_.item(position);
  if (!item) return;
  if (const auto* run = std::get_if<LibraryRunRow>(item->entry().get()))
    model_.openRunWithID(run->id);
  else if (const auto* project = std::get_if<LibraryProjectRow>(item->entry().get()))
    model_.openProjectWithID(project->id);
}

void ProjectLibraryView::redrawList() {
  // The rows bound now follow what they draw besides their entry; nothing is rebuilt.
  const bool archive = model_.view() == LibraryView::archive;
  const bool busy = *model_.state().busy;
  if (archive != drawnArchive_ || busy != drawnBusy_) {
    drawnArchive_ = archive;
    drawnBusy_ = busy;
    for (auto* cell : listHost_->bound) cell->refresh();
  }
  startAtTopOnNewIdentity();
}

void ProjectLibraryView::startAtTopOnNewIdentity() {
  const std::string identity = model_.scrollIdentity();
  if (identity == drawnIdentity_) return;
  drawnIdentity_ = identity;
  scroller_->get_vadjustment()->set_value(0);
  // GTK's list keeps its place by an anchor row, which a value that reads 0 already does
  // not move (a search may have left it on a row halfway down a list that now fits):
  // anchored on the first row, the new rows start at the top.
  if (entries_.size() > 0) list_->activate_action("list.scroll-to-item", Glib::Variant<guint32>::create(0));
}

void ProjectLibraryView::redrawSheets() {
  auto& sheets = *services_.sheets;
  const auto& state = model_.state();
  if (*model_.editor && !editorSheet_) {
    const auto project = *model_.creating ? std::nullopt : *state.selected;
    auto content = std::make_unique<ProjectEditorView>(
        model_.state(), project, [this] { model_.closeEditor(); }, sheets, services_.anchorFiles);
    editorContent_ = content.get();
    SheetLayer::Options options;
    options.escapeCloses = [this] { return !editorContent_ || editorContent_->dismissible(); };
    options.onDismissed = [this] {
      editorSheet_.reset();
      editorContent_ = nullptr;
      if (!leaving_) model_.closeEditor();
    };
    editorSheet_ = sheets.present(std::move(content), std::move(options));
  } else if (!*model_.editor && editorSheet_) {
    sheets.dismiss(*editorSheet_);
  }

  if (model_.deletingRun->has_value() && !deletionSheet_) {
    auto content = std::make_unique<ReportDeleteConfirmation>([this] { model_.cancelRunDeletion(); },
                                                              [this] { model_.confirmRunDeletion(); });
    deletionContent_ = content.get();
    SheetLayer::Options options;
    options.escapeCloses = [this] { return !*model_.state().busy; };
    options.onDismissed = [this] {
      deletionSheet_.reset();
      deletionContent_ = nullptr;
      if (!leaving_) model_.cancelRunDeletion();
    };
    deletionSheet_ = sheets.present(std::move(content), std::move(options));
  } else if (!model_.deletingRun->has_value() && deletionSheet_) {
    sheets.dismiss(*deletionSheet_);
  }
  if (deletionContent_) deletionContent_->update(*state.busy, *state.error);
  preview_->update();
}

bool ProjectLibraryView::escape() {
  // A sheet takes Escape first; the screen only when nothing lies over it.
  if (services_.sheets->depth() > 0 || !get_mapped()) return false;
  model_.done();
  return true;
}

}  // namespace vesk::ui
