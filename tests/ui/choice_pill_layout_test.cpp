// The wrapping layout of choice pills inside real windows: placement, empty size,
// right-to-left, the minimum-width rule, and resizing without a toolkit warning.
#include "ui/controls/choice_pill_layout.h"
#include "support/run_loop.h"
#include "ui/base/layout_container.h"
#include "ui/controls/vesk_choice_pill_style.h"
#include "ui/support/next_frame.h"
#include "ui/support/ui_test.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>

#include <vector>

using vesk::testing::boundsIn;
using vesk::testing::ShownWindow;
using vesk::ui::ChoicePillLayout;
using vesk::ui::LayoutContainer;

namespace {

class ChoicePillLayoutTest : public vesk::testing::UiTest {};

// A child that is exactly `width` x `height`, neither more nor less.
Gtk::Widget& block(int width, int height) {
  auto* child = Gtk::make_managed<Gtk::Box>();
  child->set_size_request(width, height);
  return *child;
}

struct Measured {
  int minimum, natural;
};

Measured measure(Gtk::Widget& widget, Gtk::Orientation orientation, int forSize) {
  int minimum = 0, natural = 0, minimumBaseline = -1, naturalBaseline = -1;
  widget.measure(orientation, forSize, minimum, natural, minimumBaseline, naturalBaseline);
  return {minimum, natural};
}

}  // namespace

TEST_F(ChoicePillLayoutTest, ThreeChildrenInAHundredPixels) {
  for (const bool rightToLeft : {false, true}) {
    LayoutContainer row(ChoicePillLayout::create(8));
    std::vector<Gtk::Widget*> children;
    for (int i = 0; i < 3; ++i) {
      children.push_back(&block(40, 30));
      row.append(*children.back());
    }
    if (rightToLeft) row.set_direction(Gtk::TextDirection::RTL);
    EXPECT_EQ(measure(row, Gtk::Orientation::VERTICAL, 100).natural, 68);
    ShownWindow shown(row, 100, -1);
    ASSERT_EQ(row.get_width(), 100);
    const int expectedX[] = {0, 48, 0};
    const int expectedY[] = {0, 0, 38};
    for (int i = 0; i < 3; ++i) {
      const auto box = boundsIn(*children[i], row);
      EXPECT_EQ(box.x, rightToLeft ? 100 - expectedX[i] - 40 : expectedX[i]) << i;
      EXPECT_EQ(box.y, expectedY[i]) << i;
      EXPECT_EQ(box.width, 40);
      EXPECT_EQ(box.height, 30);
    }
  }
}

TEST_F(ChoicePillLayoutTest, EmptyAndUnspecifiedSizesAndTheMinimumWidth) {
  LayoutContainer empty(ChoicePillLayout::create(8));
  EXPECT_EQ(measure(empty, Gtk::Orientation::HORIZONTAL, -1).minimum, 0);
  EXPECT_EQ(measure(empty, Gtk::Orientation::HORIZONTAL, -1).natural, 760);
  EXPECT_EQ(measure(empty, Gtk::Orientation::VERTICAL, 300).natural, 0);
  EXPECT_EQ(measure(empty, Gtk::Orientation::VERTICAL, -1).natural, 0);

  // Offered no width, it lays out against 760: ten 70 px pills fill one row of ten.
  LayoutContainer row(ChoicePillLayout::create(8));
  for (int i = 0; i < 10; ++i) row.append(block(70, 30));
  EXPECT_EQ(measure(row, Gtk::Orientation::VERTICAL, -1).natural, 68);  // 9 fit in 760
  EXPECT_EQ(measure(row, Gtk::Orientation::VERTICAL, 1000).natural, 30);

  // A pill never shrinks below its minimum: it is the layout's minimum width.
  LayoutContainer wide(ChoicePillLayout::create(8));
  wide.append(block(50, 30));
  wide.append(block(250, 44));
  EXPECT_EQ(measure(wide, Gtk::Orientation::HORIZONTAL, -1).minimum, 250);
  EXPECT_EQ(measure(wide, Gtk::Orientation::VERTICAL, 250).natural, 30 + 8 + 44);

  // Spacing changes take effect at once.
  auto layout = ChoicePillLayout::create(8);
  LayoutContainer spaced(layout);
  for (int i = 0; i < 3; ++i) spaced.append(block(40, 30));
  layout->set_spacing(20);
  EXPECT_EQ(measure(spaced, Gtk::Orientation::VERTICAL, 100).natural, 30 + 20 + 30);
}

TEST_F(ChoicePillLayoutTest, ResizingRewrapsWithoutWarnings) {
  // Any warning aborts the process here, not just fails the test.
  const GLogLevelFlags previous =
      g_log_set_always_fatal(static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL));
  LayoutContainer row(ChoicePillLayout::create(8));
  std::vector<Gtk::Button*> pills;
  for (const char* answer : {"Founders", "Product designers and researchers", "Engineers", "Marketing", "Sales",
                             "Customer support", "Investors", "Everyone else who uses the product"}) {
    auto* pill = Gtk::make_managed<Gtk::Button>(answer);
    vesk::ui::VeskChoicePillStyle(vesk::ui::ChipSelection::unselected, vesk::VeskChoicePillTreatment::answer)
        .apply(*pill);
    row.append(*pill);
    pills.push_back(pill);
  }
  ShownWindow shown(row, 1000, -1);
  int previousHeight = 0;
  for (const int width : {1000, 800, 600, 450, 300, 450, 700, 1000}) {
    shown.window().set_default_size(width, -1);
    ASSERT_TRUE(vesk::testing::runUntil([&] { return row.get_width() == width; })) << width;
    vesk::testing::settleFrame(row);
    // Every pill lies within the row and no two overlap.
    for (std::size_t i = 0; i < pills.size(); ++i) {
      const auto a = boundsIn(*pills[i], row);
      EXPECT_GE(a.x, 0);
      EXPECT_LE(a.x + a.width, width) << width;
      for (std::size_t j = i + 1; j < pills.size(); ++j) {
        const auto b = boundsIn(*pills[j], row);
        const bool apart =
            a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
        EXPECT_TRUE(apart) << i << " and " << j << " overlap at " << width;
      }
    }
    if (width == 300) {
      EXPECT_GT(row.get_height(), previousHeight);
    }
    previousHeight = row.get_height();
  }
  g_log_set_always_fatal(previous);
}
