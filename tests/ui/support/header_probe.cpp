#include "ui/support/header_probe.h"

#include "ui/app/header_band.h"
#include "ui/app/root_view.h"
#include "ui/support/shell_window.h"

#include <gtkmm/label.h>

#include <algorithm>

namespace vesk::testing {

namespace {

bool inside(const Box& box, int x, int y) {
  return x >= box.x && y >= box.y && x < box.x + box.width && y < box.y + box.height;
}

Box grown(const Box& box, int margin) {
  return {box.x - margin, box.y - margin, box.width + 2 * margin, box.height + 2 * margin};
}

}  // namespace

Box headerArea(ui::RootView& root) {
  const Box column = boundsIn(root.mainColumn(), root);
  auto& band = root.header();
  const Box last = band.banner().get_visible() ? boundsIn(band.banner(), root) : boundsIn(band.row(), root);
  return {column.x, 0, column.width, last.y + last.height};
}

std::vector<Box> headerItems(ui::RootView& root, int margin) {
  std::vector<Box> items;
  auto& row = root.header().row();
  for (auto* item = row.get_first_child(); item; item = item->get_next_sibling()) {
    if (item->get_hexpand()) continue;  // the spacer between the title and the toolbar
    if (item->get_visible() && item->get_width() > 0) items.push_back(grown(boundsIn(*item, root), margin));
  }
  if (root.header().banner().get_visible()) items.push_back(grown(boundsIn(root.header().banner(), root), margin));
  return items;
}

Pixels canvasOnly(ui::RootView& root) {
  root.mainRow().set_opacity(0);
  Pixels pixels = render(root);
  root.mainRow().set_opacity(1);
  return pixels;
}

std::string Difference::describe() const {
  if (count == 0) return "no pixel differs";
  return std::to_string(count) + " pixels differ, the first at (" + std::to_string(x) + ", " + std::to_string(y) +
         "), by up to " + std::to_string(largest);
}

Difference compare(const Pixels& shown, const Pixels& reference, const Box& area, const std::vector<Box>& skipped,
                   int tolerance) {
  Difference difference;
  const int right = std::min({area.x + area.width, shown.width(), reference.width()});
  const int bottom = std::min({area.y + area.height, shown.height(), reference.height()});
  for (int y = std::max(area.y, 0); y < bottom; ++y) {
    for (int x = std::max(area.x, 0); x < right; ++x) {
      if (std::any_of(skipped.begin(), skipped.end(), [&](const Box& box) { return inside(box, x, y); })) continue;
      const int by = shown.at(x, y).distance(reference.at(x, y));
      if (by <= tolerance) continue;
      if (difference.count++ == 0) {
        difference.x = x;
        difference.y = y;
      }
      difference.largest = std::max(difference.largest, by);
    }
  }
  return difference;
}

bool labelOverlaps(Gtk::Widget& page, ui::RootView& root, const Box& area) {
  const auto labels = descendants(page, [](Gtk::Widget& widget) {
    auto* label = dynamic_cast<Gtk::Label*>(&widget);
    return label && label->is_drawable() && !label->get_text().empty();
  });
  return std::any_of(labels.begin(), labels.end(), [&](Gtk::Widget* label) {
    const Box box = boundsIn(*label, root);
    return box.x < area.x + area.width && area.x < box.x + box.width && box.y < area.y + area.height &&
           area.y < box.y + box.height;
  });
}

}  // namespace vesk::testing
