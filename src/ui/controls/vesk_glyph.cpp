#include "ui/controls/vesk_glyph.h"

#include "core/style/control_stylesheet.h"
#include "ui/style/glyph_painter.h"

#include <gtkmm/snapshot.h>
#include <gtkmm/stylecontext.h>

#include <cmath>

namespace vesk::ui {

VeskGlyph::VeskGlyph(Kind kind, double size) : kind_(kind), size_(size) {
  add_css_class(ControlClasses::glyph);
  set_can_target(false);
  set_focusable(false);
  property_accessible_role() = Gtk::Accessible::Role::PRESENTATION;
}

void VeskGlyph::set_kind(Kind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  queue_draw();
}

Gtk::SizeRequestMode VeskGlyph::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::CONSTANT_SIZE; }

void VeskGlyph::measure_vfunc(Gtk::Orientation, int, int& minimum, int& natural, int& minimumBaseline,
                              int& naturalBaseline) const {
  minimum = natural = static_cast<int>(std::ceil(size_));
  minimumBaseline = naturalBaseline = -1;
}

void VeskGlyph::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  const Rect square{(get_width() - size_) / 2, (get_height() - size_) / 2, size_, size_};
  const auto colour = get_style_context()->get_color();
  const Rgba ink{colour.get_red(), colour.get_green(), colour.get_blue(), colour.get_alpha()};
  appendGlyph(snapshot->gobj(), kind_, square, ink);
}

}  // namespace vesk::ui
