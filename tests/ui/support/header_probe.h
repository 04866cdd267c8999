#pragma once
// Looking at the window header's area while a page scrolls beneath it: the area, the
// header's own items in it, the window's bare canvas, and a pixel-by-pixel comparison of
// two renders over an area.
#include "ui/support/ui_test.h"

#include <gtkmm/widget.h>

#include <string>
#include <vector>

namespace vesk::ui {
class RootView;
}

namespace vesk::testing {

// The header's area in the root: across the main column, from the window's top edge down
// to the bottom of the header row, or of the error banner while it shows.
Box headerArea(ui::RootView& root);

// The header row's own items (the title, the toolbar, the menu button and the window's
// controls) and the banner while it shows, in the root, grown by `margin` on every side
// for their shadows and focus rings.
std::vector<Box> headerItems(ui::RootView& root, int margin);

// The root as the next frame draws it with nothing but its canvas.
Pixels canvasOnly(ui::RootView& root);

struct Difference {
  int count = 0;
  int x = -1, y = -1;  // the first pixel found
  int largest = 0;     // the largest difference of one colour component
  std::string describe() const;
};
// The pixels of `area` (outside the `skipped` boxes) at which the two renders differ by
// more than `tolerance` in a colour component.
Difference compare(const Pixels& shown, const Pixels& reference, const Box& area, const std::vector<Box>& skipped = {},
                   int tolerance = 3);

// Whether a label drawn inside `page` overlaps `area` (in the root's coordinates).
bool labelOverlaps(Gtk::Widget& page, ui::RootView& root, const Box& area);

}  // namespace vesk::testing
