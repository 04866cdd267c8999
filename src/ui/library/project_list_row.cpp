#include "ui/library/project_list_row.h"

#include "core/style/library_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/library/library_widgets.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/box.h>

namespace vesk::ui {

ProjectListRow::ProjectListRow(std::function<void(const std::string&)> open) {
  auto* column = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 8);
  column->set_margin_top(20);
  column->set_margin_bottom(20);
  // Cut at the end rather than wrapped: a wrapping label costs the list hundreds of layouts
  // per row. The whole name stays in the tooltip.
  name_ = libraryLabel("", VeskTypography::display(28, FontWeight::regular, true));
  name_->set_ellipsize(Pango::EllipsizeMode::END);
  column->append(*name_);
  brief_ = wrappingLabel("", VeskTypography::body(15), ShellClasses::secondaryText);
  brief_->set_lines(2);
  brief_->set_ellipsize(Pango::EllipsizeMode::END);
  column->append(*brief_);
  auto* meta = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  runCount_ = libraryLabel("", VeskTypography::body(15), LibraryClasses::mutedText);
  activity_ = libraryLabel("", VeskTypography::body(15), LibraryClasses::mutedText);
  meta->append(*runCount_);
  meta->append(*activity_);
  column->append(*meta);

  set_child(*column);
  add_css_class(LibraryClasses::plainButton);
  add_css_class(LibraryClasses::projectRow);
  set_has_frame(false);
  set_hexpand(true);
  signal_clicked().connect([this, open = std::move(open)] { open(projectID_); });
}

void ProjectListRow::bind(const LibraryProjectRow& project) {
  projectID_ = project.id;
  tooltip_.setText(project.name);
  name_->set_text(project.name);
  const bool hasBrief = project.brief && !project.brief->empty();
  brief_->set_text(hasBrief ? *project.brief : "");
  brief_->set_visible(hasBrief);
  runCount_->set_text(project.runCount);
  activity_->set_text(project.activity.value_or(""));
  activity_->set_visible(project.activity.has_value());
}

}  // namespace vesk::ui
