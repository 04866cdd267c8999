#include "ui/library/library_sheets.h"

#include "core/style/library_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/library/library_widgets.h"
#include "ui/style/vesk_typography.h"

#include <gdkmm/texture.h>
#include <glibmm/bytes.h>
#include <gtkmm/eventcontrollerkey.h>

namespace vesk::ui {

namespace {

constexpr int sheetPadding = 30;
constexpr int sheetWidth = 460;
constexpr int previewWidth = 620;
constexpr int previewImageHeight = 420;

Gtk::Box* footerRow() {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  row->append(*flexibleSpace());
  return row;
}

// A texture from image bytes, or nothing when they are not an image GTK can read.
Glib::RefPtr<Gdk::Texture> textureOf(const std::string& bytes) {
  try {
    return Gdk::Texture::create_from_bytes(Glib::Bytes::create(bytes.data(), bytes.size()));
  } catch (const Glib::Error&) {
    return {};
  }
}

}  // namespace

RunDeletionSheet::RunDeletionSheet(std::function<void()> onCancel, std::function<void()> onDelete)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 16) {
  set_margin(sheetPadding);
  set_size_request(sheetWidth, -1);
  auto* heading = libraryLabel("Delete this run?", VeskTypography::display(30, FontWeight::regular, true));
  heading->property_accessible_role() = Gtk::Accessible::Role::HEADING;
  append(*heading);
  append(*wrappingLabel("This removes the run and its attachments. This can’t be undone.", VeskTypography::body(15),
                        ShellClasses::secondaryText));
  error_ = wrappingLabel("", VeskTypography::body(15), ShellClasses::secondaryText);
  error_->set_selectable(true);
  error_->set_visible(false);
  append(*error_);
  auto* row = footerRow();
  cancel_ = pillButton("Cancel", VeskButtonRole::secondary, PillSize::regular, std::move(onCancel));
  delete_ = pillButton("Delete run", VeskButtonRole::destructive, PillSize::regular, std::move(onDelete));
  row->append(*cancel_);
  row->append(*delete_);
  append(*row);
}

void RunDeletionSheet::update(bool busy, const std::optional<std::string>& error) {
  error_->set_text(error.value_or(""));
  error_->set_visible(error.has_value());
  delete_->set_label(busy ? "Deleting…" : "Delete run");
  delete_->set_sensitive(!busy);
  cancel_->set_sensitive(!busy);
}

AnchorPreviewSheet::AnchorPreviewSheet(std::function<void()> onDismiss) : Gtk::Box(Gtk::Orientation::VERTICAL, 16) {
  set_margin(sheetPadding);
  set_size_request(previewWidth, -1);
  title_ = libraryLabel("Source image", VeskTypography::display(30, FontWeight::regular, true));
  title_->property_accessible_role() = Gtk::Accessible::Role::HEADING;
  title_->set_ellipsize(Pango::EllipsizeMode::MIDDLE);
  append(*title_);
  auto* loading = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  spinner_ = Gtk::make_managed<Gtk::Spinner>();
  loading->append(*spinner_);
  message_ = wrappingLabel("", VeskTypography::body(15), ShellClasses::secondaryText);
  loading->append(*message_);
  append(*loading);
  picture_ = Gtk::make_managed<Gtk::Picture>();
  picture_->set_size_request(-1, previewImageHeight);
  picture_->set_can_shrink(true);
  picture_->set_visible(false);
  append(*picture_);
  auto* row = footerRow();
  done_ = pillButton("Done", VeskButtonRole::primary, PillSize::regular, std::move(onDismiss));
  row->append(*done_);
  append(*row);
}

void AnchorPreviewSheet::update(const std::optional<ReportSourcePreview>& preview) {
  title_->set_text(preview ? preview->title : "Source image");
  const bool loading = preview && preview->loading;
  spinner_->set_spinning(loading);
  spinner_->set_visible(loading);
  Glib::RefPtr<Gdk::Texture> texture;
  if (preview && preview->data && !loading) {
    if (preview->data != shownBytes_)
      texture = textureOf(*preview->data);
    else
      texture =
          picture_->get_paintable() ? std::dynamic_pointer_cast<Gdk::Texture>(picture_->get_paintable()) : nullptr;
  }
  shownBytes_ = texture ? preview->data : nullptr;
  picture_->set_paintable(texture);
  picture_->set_visible(static_cast<bool>(texture));
  if (loading)
    message_->set_text("Loading archived image…");
  else if (!texture)
    message_->set_text(preview && preview->error ? *preview->error : "This image preview is unavailable.");
  message_->set_visible(loading || !texture);
}

}  // namespace vesk::ui
