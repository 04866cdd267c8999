#include "ui/audit/source_chip.h"

#include "core/style/composer_stylesheet.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_glyph.h"
#include "ui/style/vesk_typography.h"

#include <glibmm/miscutils.h>
#include <gtkmm/snapshot.h>

#include <algorithm>

namespace vesk::ui {

namespace {

// The thumbnail, scaled to cover the square and clipped to a radius of 4.
class ChipThumbnail : public Gtk::Widget {
 public:
  explicit ChipThumbnail(Glib::RefPtr<Gdk::Texture> texture) : texture_(std::move(texture)) {
    set_size_request(SourceChip::iconSize, SourceChip::iconSize);
    set_overflow(Gtk::Overflow::HIDDEN);
  }

 protected:
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override {
    const float side = SourceChip::iconSize;
    const float scale =
        std::max(side / static_cast<float>(texture_->get_width()), side / static_cast<float>(texture_->get_height()));
    const float width = static_cast<float>(texture_->get_width()) * scale;
    const float height = static_cast<float>(texture_->get_height()) * scale;
    GskRoundedRect clip;
    const graphene_rect_t square = GRAPHENE_RECT_INIT(0, 0, side, side);
    gsk_rounded_rect_init_from_rect(&clip, &square, 4);
    gtk_snapshot_push_rounded_clip(snapshot->gobj(), &clip);
    const graphene_rect_t placed = GRAPHENE_RECT_INIT((side - width) / 2, (side - height) / 2, width, height);
    gtk_snapshot_append_texture(snapshot->gobj(), texture_->gobj(), &placed);
    gtk_snapshot_pop(snapshot->gobj());
  }

 private:
  Glib::RefPtr<Gdk::Texture> texture_;
};

}  // namespace

SourceChip::SourceChip(const Glib::ustring& title, bool isURL, std::optional<std::int64_t> sizeBytes,
                       std::function<void()> remove)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 8), title_(title) {
  add_css_class(ComposerClasses::chip);
  set_valign(Gtk::Align::CENTER);
  icon_.set_size_request(iconSize, iconSize);
  icon_.add_css_class(ComposerClasses::chipIcon);
  if (auto* symbol = makeSymbolImage(isURL ? "link" : "doc", 16)) {
    symbol->set_halign(Gtk::Align::CENTER);
    symbol->set_valign(Gtk::Align::CENTER);
    symbol->set_hexpand(true);
    icon_.append(*symbol);
  }
  append(icon_);

  title_.set_single_line_mode(true);
  title_.set_ellipsize(Pango::EllipsizeMode::END);
  title_.set_xalign(0);
  // A title of this many characters keeps the chip within its width; a file chip leaves
  // room for the size.
  title_.set_max_width_chars(sizeBytes ? 18 : 26);
  VeskTypography::apply(title_, VeskTypography::body(15));
  append(title_);

  if (sizeBytes) {
    size_.set_text(Glib::format_size(static_cast<guint64>(std::max<std::int64_t>(0, *sizeBytes))));
    size_.add_css_class(ComposerClasses::muted);
    VeskTypography::apply(size_, VeskTypography::body(13));
    append(size_);
  }

  remove_.add_css_class(ComposerClasses::plainButton);
  remove_.set_child(*Gtk::make_managed<VeskGlyph>(VeskGlyph::Kind::close, 12));
  remove_.set_valign(Gtk::Align::CENTER);
  setAccessibleLabel(remove_, "Remove " + title);
  remove_.set_tooltip_text("Remove " + title);
  remove_.signal_clicked().connect(std::move(remove));
  append(remove_);
}

void SourceChip::setImage(const Glib::RefPtr<Gdk::Texture>& image) {
  while (auto* child = icon_.get_first_child()) icon_.remove(*child);
  icon_.append(*Gtk::make_managed<ChipThumbnail>(image));
  hasImage_ = true;
}

}  // namespace vesk::ui
