#include "ui/library/project_editor_view.h"

#include "core/style/library_stylesheet.h"
#include "ui/base/layout_container.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/atelier_text_field.h"
#include "ui/controls/choice_pill_layout.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/library/library_widgets.h"
#include "ui/style/vesk_scroll_edges.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/adjustment.h>

#include <gtkmm/window.h>

namespace vesk::ui {

namespace {

constexpr int sideMargin = 30;
constexpr int chipSpacing = 8;
// What the header and the footer take of the sheet's height, for the form's share.
constexpr int chromeHeight = 200;

Gtk::Label* caption(const char* text) { return libraryLabel(text, VeskTypography::body(15, FontWeight::medium)); }

void restyleChip(Gtk::Button& chip, bool selected, VeskChoicePillTreatment treatment) {
  VeskChoicePillStyle(selected ? ChipSelection::selected : ChipSelection::unselected, treatment).apply(chip);
}

}  // namespace

ProjectEditorView::ProjectEditorView(ProjectLibraryState& state, std::optional<LibraryProject> project,
                                     std::function<void()> onClose, SheetLayer& sheets,
                                     std::shared_ptr<AnchorFilePanel> files)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 0),
      model_(state, std::move(project), std::move(onClose)),
      files_(std::move(files)) {
  set_size_request(width, minimumHeight);
  header_ = libraryLabel(model_.header(), VeskTypography::display(40, FontWeight::regular, true));
  header_->property_accessible_role() = Gtk::Accessible::Role::HEADING;
  header_->set_margin_start(sideMargin);
  header_->set_margin_end(sideMargin);
  header_->set_margin_top(28);
  header_->set_margin_bottom(20);
  append(*header_);

  errorBox_ = Gtk::make_managed<Gtk::Box>();
  errorBox_->add_css_class(LibraryClasses::errorBox);
  errorBox_->set_margin_start(sideMargin);
  errorBox_->set_margin_end(sideMargin);
  errorBox_->set_margin_bottom(12);
  errorLabel_ = wrappingLabel("", VeskTypography::body(15));
  errorLabel_->set_selectable(true);
  errorLabel_->set_hexpand(true);
  errorBox_->append(*errorLabel_);
  append(*errorBox_);

  scroller_ = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller_->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller_->set_propagate_natural_height(true);
  scroller_->set_max_content_height(model_.idealHeight() - chromeHeight);
  scroller_->set_vexpand(true);
  scroller_->set_child(makeForm());
  auto* edges = Gtk::make_managed<VeskScrollEdges>(*scroller_);
  edges->set_vexpand(true);
  append(*edges);
  append(makeFooter());

  preview_ = std::make_unique<AnchorPreviewHost>(
      sheets, [&state] { return *state.anchorPreview; }, [&state] { state.anchorPreview = std::nullopt; });
  model_.signalChanged().connect(sigc::mem_fun(*this, &ProjectEditorView::redraw));
  redraw();
}

ProjectEditorView::~ProjectEditorView() { preview_.reset(); }

Gtk::Widget& ProjectEditorView::makeForm() {
  const bool creating = model_.creating();
  form_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, creating ? 16 : 22);
  form_->set_margin_start(sideMargin);
  form_->set_margin_end(sideMargin);
  form_->set_margin_top(creating ? 10 : 14);
  form_->set_margin_bottom(creating ? 10 : 14);
  const auto& draft = *model_.draft;

  name_ = Gtk::make_managed<AtelierTextField>("Project name", "Give this work a name", Gtk::Orientation::HORIZONTAL);
  name_->set_text(draft.name);
  name_->signalChanged().connect([this] { model_.setName(name_->text()); });
  form_->append(*name_);
  form_->append(makeTypeRow());
  if (auto* intent = makeIntent()) form_->append(*intent);

  auto* brief = Gtk::make_managed<AtelierTextField>("Brief", "What should Vesk know about this project?",
                                                    Gtk::Orientation::VERTICAL);
  brief->set_text(draft.brief);
  brief->signalChanged().connect([this, brief] { model_.setBrief(brief->text()); });
  form_->append(*brief);
  auto* url = Gtk::make_managed<AtelierTextField>("Reference URL", "https://", Gtk::Orientation::HORIZONTAL);
  url->set_text(draft.contextURL);
  url->signalChanged().connect([this, url] { model_.setContextURL(url->text()); });
  form_->append(*url);
  form_->append(makeAnchorArea());
  if (!creating) form_->append(makeDeleteZone());
  return *form_;
}

Gtk::Widget& ProjectEditorView::makeTypeRow() {
  auto* column = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 10);
  column->append(*caption("Type"));
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, chipSpacing);
  const auto treatment = VeskChoicePillTreatment::project;
  website_ = choiceChip("Website", false, treatment, [this] { model_.toggleKind("landing"); });
  application_ = choiceChip("Application", false, treatment, [this] { model_.toggleKind("dashboard"); });
  row->append(*website_);
  row->append(*application_);
  column->append(*row);
  return *column;
}

Gtk::Widget* ProjectEditorView::makeIntent() {
  if (!model_.creating()) {
    const auto line = model_.intentLine();
    return line ? libraryLabel(*line, VeskTypography::body(15), LibraryClasses::mutedText) : nullptr;
  }
  auto* column = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 10);
  column->append(*caption("Intent"));
  auto* chips = Gtk::make_managed<LayoutContainer>(ChoicePillLayout::create(chipSpacing));
  const auto treatment = VeskChoicePillTreatment::answer;
  redesign_ = choiceChip("Audit existing work", false, treatment, [this] { model_.chooseIntent("redesign"); });
  buildNew_ = choiceChip("Build something new", false, treatment, [this] { model_.chooseIntent("new"); });
  chips->append(*redesign_);
  chips->append(*buildNew_);
  column->append(*chips);
  return column;
}

Gtk::Widget& ProjectEditorView::makeAnchorArea() {
  auto* column = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 12);
  column->append(*caption("Anchor file"));
  anchorChip_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 10);
  column->append(*anchorChip_);
  anchorButton_ =
      pillButton("Add an anchor file", VeskButtonRole::secondary, PillSize::regular, [this] { pickFile(); });
  anchorButton_->set_halign(Gtk::Align::START);
  column->append(*anchorButton_);
  column->append(*wrappingLabel("PNG, JPG, WEBP, GIF, or PDF. Images up to 3.5 MB; PDFs up to 10 MB.",
                                VeskTypography::body(15), LibraryClasses::mutedText));
  return *column;
}

Gtk::Widget& ProjectEditorView::makeDeleteZone() {
  deleteZone_ = Gtk::make_managed<Gtk::Expander>("Delete project");
  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 16);
  content->set_margin_top(16);
  content->set_margin_bottom(24);
  content->set_name(ProjectEditorModel::confirmationID);
  content->append(*wrappingLabel("Deleting removes this project and every run inside it. This can’t be undone.",
                                 VeskTypography::body(15)));
  const std::string savedName = model_.project() ? model_.project()->name : std::string();
  confirmation_ =
      Gtk::make_managed<AtelierTextField>(model_.confirmationPrompt(), savedName, Gtk::Orientation::HORIZONTAL);
  confirmation_->signalChanged().connect([this] { model_.confirmName = std::string(confirmation_->text()); });
  content->append(*confirmation_);
  deleteZone_->set_child(*content);
  deleteZone_->property_expanded().signal_changed().connect([this] {
    if (deleteZone_->get_expanded() != *model_.deletingProject) model_.setDeletingProject(deleteZone_->get_expanded());
  });
  return *deleteZone_;
}

Gtk::Widget& ProjectEditorView::makeFooter() {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  cancel_ = pillButton("Cancel", VeskButtonRole::secondary, PillSize::regular, [this] { model_.cancel(); });
  row->append(*cancel_);
  row->append(*flexibleSpace());
  spinner_ = Gtk::make_managed<VeskSpinner>();
  row->append(*spinner_);
  primary_ = pillButton("", VeskButtonRole::primary, PillSize::regular, [this] { model_.primary(); });
  row->append(*primary_);
  auto* footer = Gtk::make_managed<ActionFooter>(*row);
  footer->set_margin_start(sideMargin);
  footer->set_margin_end(sideMargin);
  footer->set_margin_top(8);
  footer->set_margin_bottom(28);
  return *footer;
}

void ProjectEditorView::redraw() {
  const auto& draft = *model_.draft;
  const bool busy = model_.busy();
  const auto error = model_.errorMessage();
  errorLabel_->set_text(error.value_or(""));
  errorBox_->set_visible(error.has_value());
  form_->set_sensitive(!busy);
  restyleChip(*website_, draft.kind == "landing", VeskChoicePillTreatment::project);
  restyleChip(*application_, draft.kind == "dashboard", VeskChoicePillTreatment::project);
  if (redesign_) restyleChip(*redesign_, draft.intent == "redesign", VeskChoicePillTreatment::answer);
  if (buildNew_) restyleChip(*buildNew_, draft.intent == "new", VeskChoicePillTreatment::answer);
  redrawAnchorChip();
  anchorButton_->set_label(model_.anchorButtonTitle());
  if (deleteZone_ && deleteZone_->get_expanded() != *model_.deletingProject)
    deleteZone_->set_expanded(*model_.deletingProject);
  cancel_->set_sensitive(model_.cancelEnabled());
  spinner_->set_visible(busy);
  spinner_->set_spinning(busy);
  primary_->set_label(model_.primaryTitle());
  VeskPillStyle(model_.deleteFormShown() ? VeskButtonRole::destructive : VeskButtonRole::primary, PillSize::regular)
      .apply(*primary_);
  primary_->set_sensitive(model_.primaryEnabled());
  if (*model_.confirmationFocused != drawnFocus_) {
    drawnFocus_ = *model_.confirmationFocused;
    if (drawnFocus_) focusConfirmation();
  }
  if (!*model_.deletingProject && confirmation_ && confirmation_->focused()) primary_->grab_focus();
  preview_->update();
}

void ProjectEditorView::redrawAnchorChip() {
  const auto file = model_.shownFileName();
  const auto buttons = model_.chipButtons();
  if (file == drawnFile_ && drawnChip_ == buttons) return;
  drawnFile_ = file;
  drawnChip_ = buttons;
  while (auto* child = anchorChip_->get_first_child()) anchorChip_->remove(*child);
  anchorChip_->set_visible(file.has_value());
  if (!file) return;
  auto* name = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
  if (auto* clip = makeSymbolImage("paperclip", 14)) name->append(*clip);
  auto* label = wrappingLabel(*file, VeskTypography::body(15));
  label->set_lines(2);
  label->set_ellipsize(Pango::EllipsizeMode::END);
  name->append(*label);
  anchorChip_->append(*name);
  auto* chips = Gtk::make_managed<LayoutContainer>(ChoicePillLayout::create(chipSpacing));
  const auto compact = PillSize::compact;
  if (buttons.viewPending)
    chips->append(*pillButton("View image", VeskButtonRole::secondary, compact, [this] { model_.viewPendingImage(); }));
  if (buttons.viewSaved) {
    auto* view = pillButton("View image", VeskButtonRole::secondary, compact, [this] { model_.viewSavedImage(); });
    view->set_sensitive(buttons.viewSavedEnabled);
    chips->append(*view);
  }
  if (buttons.saveFile) {
    auto* save = pillButton("Save file…", VeskButtonRole::secondary, compact, [this] { model_.saveSavedFile(); });
    save->set_sensitive(buttons.saveFileEnabled);
    chips->append(*save);
  }
  chips->append(*pillButton("Remove anchor", VeskButtonRole::tertiary, compact, [this] { model_.removeAnchor(); }));
  anchorChip_->append(*chips);
}

void ProjectEditorView::pickFile() {
  if (model_.busy() || !files_) return;
  auto* window = dynamic_cast<Gtk::Window*>(get_root());
  tasks_.add(async::spawn(pickTask(life_, this, files_, window)));
}

async::Task<void> ProjectEditorView::pickTask(std::weak_ptr<const int> life, ProjectEditorView* view,
                                              std::shared_ptr<AnchorFilePanel> files, Gtk::Window* parent) {
  std::optional<std::string> path;
  std::optional<std::string> failure;
  try {
    path = co_await files->chooseAnchorFile(parent);
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  // The sheet may have closed while the panel was open.
  if (life.expired()) co_return;
  if (failure)
    view->model_.pickFailed(*failure);
  else if (path)
    view->model_.filePicked(*path);
}

// The delete zone has settled: its field takes focus and the form scrolls to its end,
// where the zone is.
void ProjectEditorView::focusConfirmation() {
  if (!confirmation_) return;
  confirmation_->editable().grab_focus();
  const auto adjustment = scroller_->get_vadjustment();
  adjustment->set_value(adjustment->get_upper() - adjustment->get_page_size());
}

}  // namespace vesk::ui
