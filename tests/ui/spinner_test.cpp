#include "support/run_loop.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/support/next_frame.h"
#include "ui/support/ui_test.h"

#include <gdkmm/frameclock.h>
#include <gtkmm/box.h>
#include <gtkmm/snapshot.h>

#include <chrono>

using vesk::testing::ShownWindow;
using vesk::ui::VeskSpinner;

namespace {

// A neighbour that counts how often it is drawn.
class CountedPatch : public Gtk::Widget {
 public:
  CountedPatch() { set_size_request(40, 40); }
  int draws = 0;

 protected:
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override {
    ++draws;
    const GdkRGBA grey{0.5F, 0.5F, 0.5F, 1};
    const graphene_rect_t area = GRAPHENE_RECT_INIT(0, 0, 40, 40);
    gtk_snapshot_append_color(snapshot->gobj(), &grey, &area);
  }
};

}  // namespace

class Spinner : public vesk::testing::UiTest {};

TEST_F(Spinner, TurnsOnlyWhileOnScreenRedrawingOnlyItselfAtMostThirtyTimesASecond) {
  Gtk::Box row(Gtk::Orientation::HORIZONTAL, 8);
  VeskSpinner spinner;
  spinner.set_size_request(16, 16);
  spinner.set_spinning(true);
  CountedPatch patch;
  row.append(spinner);
  row.append(patch);
  ShownWindow shown(row);
  vesk::testing::settleFrame(row);
  EXPECT_TRUE(spinner.turning());

  const int patchDraws = patch.draws;
  const int first = spinner.draws();
  int frames = 0;
  auto counting = spinner.get_frame_clock()->signal_paint().connect([&] { ++frames; });
  const auto start = std::chrono::steady_clock::now();
  constexpr int steps = 10;
  ASSERT_TRUE(vesk::testing::runUntil([&] { return spinner.draws() >= first + steps; })) << "it stopped turning";
  const auto elapsed = std::chrono::steady_clock::now() - start;
  counting.disconnect();
  EXPECT_EQ(patch.draws, patchDraws) << "the spinner's turning redrew its neighbour";
  // The window paints a frame for each step and no more.
  EXPECT_LE(frames, steps + 1);
  // A slow machine draws fewer steps, never more: ten steps take at least nine intervals.
  EXPECT_GE(elapsed, (steps - 1) * std::chrono::milliseconds(1000 / VeskSpinner::stepsPerSecond) * 9 / 10);

  // Turned about its centre: its ink stays within its own square.
  const auto pixels = vesk::testing::renderAndKeep(row, "spinner-turning.png");
  const auto box = vesk::testing::boundsIn(spinner, row);
  int inked = 0;
  for (int y = 0; y < box.height; ++y)
    for (int x = 0; x < box.width; ++x) inked += pixels.at(box.x + x, box.y + y).alpha > 0 ? 1 : 0;
  EXPECT_GT(inked, 10) << "the spinner drew nothing";
  for (int y = 0; y < box.height; ++y) EXPECT_EQ(pixels.at(box.x + box.width + 2, box.y + y).alpha, 0) << y;

  // Spinning but not shown: no timer, no drawing.
  spinner.set_visible(false);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return !spinner.get_mapped(); }));
  EXPECT_FALSE(spinner.turning());
  const int hidden = spinner.draws();
  vesk::testing::settleFrame(row);
  vesk::testing::settleFrame(row);
  EXPECT_EQ(spinner.draws(), hidden) << "a hidden spinner drew";
  spinner.set_visible(true);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return spinner.get_mapped(); }));
  EXPECT_TRUE(spinner.turning());

  // A hidden window: nothing turns until it shows again.
  shown.window().set_visible(false);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return !spinner.get_mapped(); }));
  EXPECT_FALSE(spinner.turning());
  shown.window().set_visible(true);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return spinner.get_mapped(); }));
  EXPECT_TRUE(spinner.turning());

  // Stopped: it keeps no timer.
  spinner.set_spinning(false);
  EXPECT_FALSE(spinner.turning());
  const int stopped = spinner.draws();
  vesk::testing::settleFrame(row);
  vesk::testing::settleFrame(row);
  EXPECT_LE(spinner.draws(), stopped + 1) << "a stopped spinner kept drawing";
}
