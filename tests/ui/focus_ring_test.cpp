// The keyboard-focus ring under real Tab presses: each of the composer's first twelve
// stops draws the gold ring (never the toolkit's blue), starting in the screen's content,
// also after a change of screen; the plain text buttons keep their ring outside the words.
#include "core/style/report_stylesheet.h"
#include "support/run_loop.h"
#include "support/workspace_harness.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/audit/composer_view.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"
#include "ui/support/widget_readiness.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gdk/gdk.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

using vesk::testing::Box;
using vesk::testing::Pixel;
using vesk::testing::Pixels;
using vesk::testing::ShellWindow;
using vesk::testing::SyntheticInput;

namespace {

class FocusRingTest : public vesk::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

bool goldish(const Pixel& p) { return p.alpha == 255 && p.distance(Pixel{0xC9, 0xA8, 0x4C, 255}) <= 40; }
// The palette is warm throughout: a pixel much bluer than red is the toolkit's accent.
bool bluish(const Pixel& p) { return p.blue - p.red > 40; }

// What focusing a control changed in the band `reach` pixels around its box (and, apart,
// inside the box).
struct RingCount {
  int gold = 0;    // pixels that turned gold
  int blue = 0;    // pixels that turned blue
  int inside = 0;  // pixels inside the box that changed at all
};

RingCount ringAround(const Pixels& before, const Pixels& after, const Box& box, int reach = 6) {
  RingCount count;
  const int left = std::max(0, box.x - reach), top = std::max(0, box.y - reach);
  const int right = std::min(after.width(), box.x + box.width + reach);
  const int bottom = std::min(after.height(), box.y + box.height + reach);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const Pixel was = before.at(x, y), now = after.at(x, y);
      if (goldish(now) && !goldish(was)) ++count.gold;
      if (bluish(now) && !bluish(was)) ++count.blue;
      const bool within = x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
      if (within && now.distance(was) > 24) ++count.inside;
    }
  }
  return count;
}

// How many pixels of the letters of `button` (dark in the resting render) the focus changed.
int changedOverWords(const Pixels& before, const Pixels& after, Gtk::Widget& button, Gtk::Widget& ancestor) {
  int changed = 0;
  for (auto* label : vesk::testing::descendants(button, [](Gtk::Widget& w) { return GTK_IS_LABEL(w.gobj()); })) {
    const Box box = vesk::testing::boundsIn(*label, ancestor);
    for (int y = box.y; y < box.y + box.height; ++y)
      for (int x = box.x; x < box.x + box.width; ++x)
        if (before.at(x, y).luminance() < 150 && after.at(x, y).distance(before.at(x, y)) > 24) ++changed;
  }
  return changed;
}

bool within(Gtk::Widget* widget, Gtk::Widget& ancestor) {
  return widget && (widget == &ancestor || widget->is_ancestor(ancestor));
}

// Small pictures of the window around each focused control, in rows of four.
class ContactSheet {
 public:
  static constexpr int cellWidth = 420, cellHeight = 180, columns = 4;

  void add(const Glib::RefPtr<Gdk::Texture>& window, const Box& box) {
    GdkPixbuf* whole = gdk_pixbuf_get_from_texture(window->gobj());
    const int margin = 16;
    const int x = std::max(0, box.x - margin), y = std::max(0, box.y - margin);
    const int width = std::min(gdk_pixbuf_get_width(whole) - x, box.width + 2 * margin);
    const int height = std::min(gdk_pixbuf_get_height(whole) - y, box.height + 2 * margin);
    GdkPixbuf* part = gdk_pixbuf_new_subpixbuf(whole, x, y, width, height);
    const double scale = std::min({1.0, (cellWidth - 8.0) / width, (cellHeight - 8.0) / height});
    cells_.push_back(gdk_pixbuf_scale_simple(part, std::max(1, static_cast<int>(width * scale)),
                                             std::max(1, static_cast<int>(height * scale)), GDK_INTERP_BILINEAR));
    g_object_unref(part);
    g_object_unref(whole);
  }

  void save(const std::string& artefactName) {
    const int rows = static_cast<int>((cells_.size() + columns - 1) / columns);
    GdkPixbuf* sheet = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, cellWidth * columns, cellHeight * rows);
    gdk_pixbuf_fill(sheet, 0xFFFFFFFF);
    for (std::size_t i = 0; i < cells_.size(); ++i) {
      const int column = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
      gdk_pixbuf_copy_area(cells_[i], 0, 0, gdk_pixbuf_get_width(cells_[i]), gdk_pixbuf_get_height(cells_[i]), sheet,
                           column * cellWidth + 4, row * cellHeight + 4);
    }
    const std::string path = std::string(VESK_TEST_ARTIFACT_DIR) + "/" + artefactName;
    EXPECT_TRUE(gdk_pixbuf_save(sheet, path.c_str(), "png", nullptr, nullptr));
    g_object_unref(sheet);
  }

  ~ContactSheet() {
    for (auto* cell : cells_) g_object_unref(cell);
  }

 private:
  std::vector<GdkPixbuf*> cells_;
};

}  // namespace

TEST_F(FocusRingTest, TheComposersFirstTwelveTabStopsEachShowTheGoldRing) {
  ShellWindow shell;
  shell.workspace().account = vesk::Account::fromJson(vesk::testing::accountJson(3));
  shell.settle();
  auto& window = shell.window();
  auto* composer = shell.root().screenSlot().page();
  ASSERT_NE(composer, nullptr);
  const Pixels resting = vesk::testing::renderStill(window);

  ContactSheet sheet;
  for (int stop = 1; stop <= 12; ++stop) {
    shell.press("Tab");
    auto* focus = window.get_focus();
    ASSERT_NE(focus, nullptr) << "stop " << stop;
    const std::string name = vesk::testing::describe(*focus);
    if (stop == 1) {
      EXPECT_TRUE(within(focus, *composer)) << "the first Tab lands in the screen, not on " << name;
    }
    const Pixels focused = vesk::testing::renderStill(window);
    const Box box = vesk::testing::boundsIn(*focus, window);
    const auto ring = ringAround(resting, focused, box);
    EXPECT_GE(ring.gold, 40) << "stop " << stop << ", " << name << ": no gold ring around it";
    EXPECT_EQ(ring.blue, 0) << "stop " << stop << ", " << name << ": the toolkit's blue";
    // A plain text button keeps its ring off its words.
    if (focus->has_css_class("vesk-plain-button")) {
      EXPECT_EQ(changedOverWords(resting, focused, *focus, window), 0)
          << "stop " << stop << ", " << name << ": the ring crosses its words";
    }
    sheet.add(vesk::testing::renderNextFrame(window), box);
  }
  sheet.save("composer-focus-stops.png");
}

// A screen shown by a command, with the focus left where it was: Tab goes into the new
// screen, and back on the composer into the composer.
TEST_F(FocusRingTest, AfterAScreenChangeTheFirstTabLandsInTheNewScreen) {
  ShellWindow shell;
  shell.workspace().account = vesk::Account::fromJson(vesk::testing::accountJson(3));
  shell.settle();
  auto& window = shell.window();
  auto& slot = shell.root().screenSlot();

  shell.pressChord({"Control_L", "comma"});
  ASSERT_EQ(*shell.workspace().screen, vesk::Screen::account);
  shell.settle();
  shell.press("Tab");
  ASSERT_NE(slot.page(), nullptr);
  EXPECT_TRUE(within(window.get_focus(), *slot.page()))
      << "focus on " << (window.get_focus() ? vesk::testing::describe(*window.get_focus()) : "nothing");
  EXPECT_TRUE(window.get_focus_visible());

  // Once inside, Tab follows the window's order: it stays in the screen's controls.
  auto* first = window.get_focus();
  shell.press("Tab");
  EXPECT_NE(window.get_focus(), first);

  shell.pressChord({"Control_L", "n"});
  ASSERT_NE(*shell.workspace().screen, vesk::Screen::account);
  shell.settle();
  shell.press("Tab");
  auto* composer = slot.page();
  ASSERT_NE(composer, nullptr);
  EXPECT_TRUE(within(window.get_focus(), *composer))
      << "focus on " << (window.get_focus() ? vesk::testing::describe(*window.get_focus()) : "nothing");
}

// "Report actions" and the other plain text buttons: the ring lies outside the words,
// which stay as they were.
TEST_F(FocusRingTest, APlainTextButtonsRingStaysOutsideItsWords) {
  Gtk::Box row(Gtk::Orientation::HORIZONTAL, 8);
  row.set_margin_start(24);
  row.set_margin_end(24);
  row.set_margin_top(24);
  row.set_margin_bottom(24);
  Gtk::Label kind("Full audit");
  Gtk::Button before("Before");
  Gtk::Button actions("Report actions");
  actions.add_css_class(vesk::ReportClasses::plainButton);
  kind.set_hexpand(true);
  kind.set_xalign(0);
  row.append(kind);
  row.append(before);
  row.append(actions);
  vesk::testing::ShownWindow shown(row, 520, -1);
  SyntheticInput::clickCentre(before);
  const Pixels resting = vesk::testing::renderStill(shown.window());
  SyntheticInput::pressKey("Tab");
  ASSERT_TRUE(vesk::testing::runUntil([&] { return actions.has_focus() && shown.window().get_focus_visible(); }));
  const Pixels focused = vesk::testing::renderStill(shown.window());
  vesk::testing::renderAndKeep(shown.window(), "report-actions-focused.png");
  const auto ring = ringAround(resting, focused, vesk::testing::boundsIn(actions, shown.window()));
  EXPECT_GE(ring.gold, 60) << "the ring shows";
  EXPECT_EQ(changedOverWords(resting, focused, actions, shown.window()), 0) << "nothing over the words changes";
}
