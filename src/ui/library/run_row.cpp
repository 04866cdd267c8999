#include "ui/library/run_row.h"

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
constexpr int dateBaselineOffset = 4;

}  // namespace

RunRow::RunRow(Actions actions) : Gtk::Box(Gtk::Orientation::HORIZONTAL, 12) {
  add_css_class(LibraryClasses::runRow);
  set_valign(Gtk::Align::START);

  auto* line = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, titleSpacing);
  // One line each, cut at the end: a wrapping label costs the list hundreds of layouts per
  // row. The whole title stays in the tooltip and the accessible name.
  title_ = libraryLabel("", VeskTypography::body(titleSize));
  title_->set_ellipsize(Pango::EllipsizeMode::END);
  title_->set_hexpand(true);
  title_->set_valign(Gtk::Align::START);
  line->append(*title_);
  date_ = libraryLabel("", VeskTypography::body(13), LibraryClasses::mutedText);
  // On the title's baseline without baseline alignment (which measures every row twice):
  // the date's smaller face sits lower by the difference of the two ascents.
  date_->set_valign(Gtk::Align::START);
  date_->set_margin_top(dateBaselineOffset);
  line->append(*date_);

  auto* column = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, columnSpacing);
  column->set_margin_top(rowPadding);
  column->set_margin_bottom(rowPadding);
  column->append(*line);
  meta_ = libraryLabel("", VeskTypography::body(15), LibraryClasses::mutedText);
  meta_->set_ellipsize(Pango::EllipsizeMode::END);
  column->append(*meta_);
  open_ = plainButton(*column, [this, open = std::move(actions.open)] { open(runID_); });
  open_->set_hexpand(true);
  open_->set_valign(Gtk::Align::START);
  append(*open_);

  delete_ = Gtk::make_managed<Gtk::Button>();
  if (auto* trash = makeSymbolImage("trash", 14)) delete_->set_child(*trash);
  VeskPillStyle(VeskButtonRole::tertiary, PillSize::compact).apply(*delete_);
  delete_->set_valign(Gtk::Align::START);
  delete_->set_margin_top(rowPadding);
  delete_->signal_clicked().connect([this, askToDelete = std::move(actions.askToDelete)] { askToDelete(runID_); });
  append(*delete_);
  openTooltip_.emplace(*open_);
  deleteTooltip_.emplace(*delete_);
}

void RunRow::bind(const LibraryRunRow& run, bool archive, bool canDelete) {
  runID_ = run.id;
  auto attributes = Pango::AttrList();
  if (archive) {
    title_->set_text(run.projectName + run.archiveTail);
    auto font = Pango::Attribute::create_attr_font_desc(VeskTypography::body(titleSize));
    attributes.insert(font);
    auto name = Pango::Attribute::create_attr_font_desc(VeskTypography::body(titleSize, FontWeight::medium));
    name.set_start_index(0);
    name.set_end_index(static_cast<unsigned>(run.projectName.size()));
    attributes.insert(name);
  } else {
    title_->set_text(run.title);
    auto font = Pango::Attribute::create_attr_font_desc(VeskTypography::body(titleSize, FontWeight::medium));
    attributes.insert(font);
  }
  title_->set_attributes(attributes);
  openTooltip_->setText(title_->get_text());
  date_->set_text(run.date.value_or(""));
  date_->set_visible(run.date.has_value());
  meta_->set_text(run.meta);
  setAccessibleLabel(*delete_, run.deleteName);
  deleteTooltip_->setText(run.deleteName);
  setCanDelete(canDelete);
}

}  // namespace vesk::ui
