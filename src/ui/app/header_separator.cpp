#include "ui/app/header_separator.h"

#include "core/style/atelier.h"
#include "ui/style/gsk_colour.h"

#include <gtkmm/snapshot.h>

namespace vesk::ui {

HeaderSeparator::HeaderSeparator() {
  set_margin_start(sidePadding);
  set_margin_end(sidePadding);
  set_valign(Gtk::Align::CENTER);
  set_can_target(false);
}

void HeaderSeparator::measure_vfunc(Gtk::Orientation orientation, int, int& minimum, int& natural, int& minimumBaseline,
                                    int& naturalBaseline) const {
  minimum = natural = orientation == Gtk::Orientation::HORIZONTAL ? width : height;
  minimumBaseline = naturalBaseline = -1;
}

void HeaderSeparator::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  const GdkRGBA colour = gdkColour(Atelier::gold.faded(opacity));
  const graphene_rect_t bounds =
      GRAPHENE_RECT_INIT(0, 0, static_cast<float>(get_width()), static_cast<float>(get_height()));
  gtk_snapshot_append_color(snapshot->gobj(), &colour, &bounds);
}

}  // namespace vesk::ui
