#include "ui/library/project_detail.h"

#include "core/style/library_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/controls/symbol_image.h"
#include "ui/library/library_widgets.h"
#include "ui/style/vesk_typography.h"

#include <pangomm/attrlist.h>

namespace vesk::ui {

namespace {

constexpr int spacing = 12;

Gtk::Label* underlined(Gtk::Label* label) {
  auto attributes = label->get_attributes();
  auto underline = Pango::Attribute::create_attr_underline(Pango::Underline::SINGLE);
  attributes.insert(underline);
  label->set_attributes(attributes);
  return label;
}

// The paperclip and a file name, side by side. A long name is cut in the middle, keeping
// its extension, rather than widening the screen; the whole name is in the tooltip.
Gtk::Box* paperclipLabel(const std::string& filename, bool underline) {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
  if (auto* clip = makeSymbolImage("paperclip", 14)) row->append(*clip);
  auto* name = libraryLabel(filename, VeskTypography::body(15));
  name->set_ellipsize(Pango::EllipsizeMode::MIDDLE);
  row->set_tooltip_text(filename);
  row->append(underline ? *underlined(name) : *name);
  return row;
}

}  // namespace

ProjectDetail::ProjectDetail(const LibraryProject& project, LibraryScreenModel& model,
                             std::function<void(const std::string&)> openLink)
    : Gtk::Box(Gtk::Orientation::VERTICAL, spacing), project_(project) {
  if (project.brief && !project.brief->empty()) {
    auto* brief = wrappingLabel(*project.brief, VeskTypography::body(15));
    brief->set_selectable(true);
    append(*brief);
  }
  if (project.contextUrl) appendReference(*project.contextUrl, openLink);
  if (project.contextUrlMeta && project.contextUrlMeta->error)
    append(*wrappingLabel(*project.contextUrlMeta->error, VeskTypography::body(15), ShellClasses::secondaryText));
  if (project.contextAttachment) appendAnchor(project, model);
  if (project.intent)
    append(*libraryLabel(libraryIntentLabel(*project.intent), VeskTypography::body(15), LibraryClasses::mutedText));
  auto* heading = libraryLabel("Past runs", VeskTypography::body(17, FontWeight::semibold));
  heading->property_accessible_role() = Gtk::Accessible::Role::HEADING;
  append(*heading);
}

void ProjectDetail::appendReference(const std::string& url, const std::function<void(const std::string&)>& openLink) {
  if (!isWebLink(url)) {
    auto* text = wrappingLabel(url, VeskTypography::body(15), ShellClasses::secondaryText);
    text->set_selectable(true);
    append(*text);
    return;
  }
  auto* label = underlined(libraryLabel(url, VeskTypography::body(15), LibraryClasses::link));
  label->set_ellipsize(Pango::EllipsizeMode::MIDDLE);
  auto* link = plainButton(*label, [openLink, url] {
    if (openLink) openLink(url);
  });
  link->set_halign(Gtk::Align::START);
  link->set_tooltip_text(url);
  append(*link);
}

void ProjectDetail::appendAnchor(const LibraryProject& project, LibraryScreenModel& model) {
  const auto& anchor = *project.contextAttachment;
  const bool enabled = model.canUseSavedAnchor(project);
  auto* chip = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, spacing);
  if (anchor.mediaType.starts_with("image/")) {
    auto* view =
        plainButton(*paperclipLabel(anchor.filename, true), [&model, project] { model.previewAnchor(project); });
    view->set_sensitive(enabled);
    anchorPreview_ = view;
    chip->append(*view);
  } else {
    chip->append(*paperclipLabel(anchor.filename, false));
  }
  auto* save = pillButton("Save file…", VeskButtonRole::secondary, PillSize::compact,
                          [&model, project] { model.exportAnchor(project); });
  save->set_sensitive(enabled);
  anchorSave_ = save;
  chip->append(*save);
  append(*chip);
}

void ProjectDetail::refresh(const LibraryScreenModel& model) {
  const bool enabled = model.canUseSavedAnchor(project_);
  for (auto* action : {anchorPreview_, anchorSave_})
    if (action) action->set_sensitive(enabled);
}

}  // namespace vesk::ui
