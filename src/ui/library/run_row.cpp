#include "ui/library/run_row.h"

#include "core/library/library_presentation.h"
#include "core/style/library_stylesheet.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/library/library_widgets.h"
#include "ui/style/vesk_typography.h"

#include <pangomm/attrlist.h>

namespace vesk::ui {

namespace {

constexpr int rowPadding = 16;
constexpr int columnSpacing = 7;
constexpr int titleSpacing = 16;
constexpr double titleSize = 17;

}  // namespace

RunRow::RunRow(const SavedAudit& run, bool archive, bool canDelete, Actions actions)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 12) {
  add_css_class(LibraryClasses::runRow);
  set_valign(Gtk::Align::START);

  auto* column = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, columnSpacing);
  column->set_margin_top(rowPadding);
  column->set_margin_bottom(rowPadding);
  column->append(makeTitleLine(run, archive));
  column->append(*wrappingLabel(libraryRunMeta(run), VeskTypography::body(15), LibraryClasses::mutedText));
  open_ = plainButton(*column, std::move(actions.open));
  open_->set_hexpand(true);
  open_->set_valign(Gtk::Align::START);
  append(*open_);

  delete_ = Gtk::make_managed<Gtk::Button>();
  if (auto* trash = makeSymbolImage("trash", 14)) delete_->set_child(*trash);
  VeskPillStyle(VeskButtonRole::tertiary, PillSize::compact).apply(*delete_);
  delete_->set_valign(Gtk::Align::START);
  delete_->set_margin_top(rowPadding);
  delete_->set_sensitive(canDelete);
  setAccessibleLabel(*delete_, libraryDeleteRunName(run));
  delete_->set_tooltip_text(libraryDeleteRunName(run));
  delete_->signal_clicked().connect(std::move(actions.askToDelete));
  append(*delete_);
}

Gtk::Widget& RunRow::makeTitleLine(const SavedAudit& run, bool archive) {
  auto* line = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, titleSpacing);
  line->set_baseline_position(Gtk::BaselinePosition::TOP);
  Gtk::Label* title = nullptr;
  if (archive) {
    title = wrappingLabel(run.projectName + libraryArchiveTitleTail(run), VeskTypography::body(titleSize));
    auto attributes = title->get_attributes();
    auto name = Pango::Attribute::create_attr_font_desc(VeskTypography::body(titleSize, FontWeight::medium));
    name.set_start_index(0);
    name.set_end_index(static_cast<unsigned>(run.projectName.size()));
    attributes.insert(name);
    title->set_attributes(attributes);
  } else {
    title = wrappingLabel(libraryRunTitle(run), VeskTypography::body(titleSize, FontWeight::medium));
  }
  title->set_hexpand(true);
  title->set_valign(Gtk::Align::BASELINE);
  line->append(*title);
  if (const auto date = libraryRunDate(run)) {
    auto* label = libraryLabel(*date, VeskTypography::body(13), LibraryClasses::mutedText);
    label->set_valign(Gtk::Align::BASELINE);
    line->append(*label);
  }
  return *line;
}

}  // namespace vesk::ui
