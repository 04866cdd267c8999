#include "support/run_loop.h"
#include "ui/base/widget_snapshot.h"
#include "ui/style/vesk_scroll_edges.h"
#include "ui/style/vesk_scroll_veil.h"
#include "ui/style/workspace_canvas.h"
#include "ui/support/next_frame.h"
#include "ui/support/ui_test.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/label.h>
#include <gtkmm/listview.h>
#include <gtkmm/noselection.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/signallistitemfactory.h>
#include <gtkmm/stringlist.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using vesk::testing::boundsIn;
using vesk::testing::Pixels;
using vesk::testing::ShownWindow;
using vesk::ui::VeskScrollEdges;
using vesk::ui::VeskScrollVeil;

class ScrollVeil : public vesk::testing::UiTest {};

TEST_F(ScrollVeil, AClickUnderTheVeilReachesTheControlBeneath) {
  Gtk::Overlay overlay;
  Gtk::Button button("Beneath");
  button.set_size_request(200, 120);
  overlay.set_child(button);
  VeskScrollVeil veil(64, false, 0.4);
  overlay.add_overlay(veil);
  ShownWindow shown(overlay);

  ASSERT_EQ(veil.get_height(), 64);
  ASSERT_EQ(veil.get_width(), overlay.get_width());
  for (const double y : {4.0, 30.0, 60.0}) {
    Gtk::Widget* picked = overlay.pick(100, y);
    ASSERT_NE(picked, nullptr);
    EXPECT_TRUE(picked == &button || picked->is_ancestor(button)) << "at y " << y;
  }
  EXPECT_EQ(veil.get_accessible_role(), Gtk::Accessible::Role::PRESENTATION);
}

// How strongly the light veil covers a black ground at each column of one row.
TEST_F(ScrollVeil, EndsFadeOverThirtyTwoPixelsOrHalfTheWidth) {
  auto css = Gtk::CssProvider::create();
  css->load_from_data(".veil-ground { background: black; }");
  Gtk::StyleContext::add_provider_for_display(Gdk::Display::get_default(), css, GTK_STYLE_PROVIDER_PRIORITY_USER);
  Gtk::Box row(Gtk::Orientation::HORIZONTAL, 20);
  row.add_css_class("veil-ground");
  Gtk::Overlay wide;
  Gtk::Overlay narrow;
  Gtk::Box wideArea;
  Gtk::Box narrowArea;
  wideArea.set_size_request(150, 100);
  narrowArea.set_size_request(40, 100);
  wide.set_child(wideArea);
  narrow.set_child(narrowArea);
  VeskScrollVeil wideVeil(64, false, 0.4);
  VeskScrollVeil narrowVeil(64, false, 0.4);
  wide.add_overlay(wideVeil);
  narrow.add_overlay(narrowVeil);
  row.append(wide);
  row.append(narrow);
  ShownWindow shown(row);
  const Pixels pixels = vesk::testing::renderAndKeep(row, "veils-ui-test.png");
  Gtk::StyleContext::remove_provider_for_display(Gdk::Display::get_default(), css);

  const int y = 8;
  const auto strength = [&](const Gtk::Widget& veil, double x) {
    const auto box = boundsIn(veil, row);
    return pixels.at(box.x + static_cast<int>(x), box.y + y).luminance();
  };
  // 150 wide: clear at the ends, half at 16 px, full from 32 px to 118 px.
  const double full = strength(wideVeil, 75);
  EXPECT_GT(full, 80);
  EXPECT_NEAR(strength(wideVeil, 33), full, 3);
  EXPECT_NEAR(strength(wideVeil, 116), full, 3);
  EXPECT_NEAR(strength(wideVeil, 16), full / 2, full * 0.08);
  EXPECT_NEAR(strength(wideVeil, 133), full / 2, full * 0.08);
  EXPECT_LT(strength(wideVeil, 0), full * 0.05);
  // 40 wide: 20 px at either end, full strength only at the very middle.
  EXPECT_NEAR(strength(narrowVeil, 10), full / 2, full * 0.08);
  EXPECT_NEAR(strength(narrowVeil, 19.5), full, full * 0.08);
  // Fading along its length: weaker near the far edge.
  const auto box = boundsIn(wideVeil, row);
  EXPECT_LT(pixels.at(box.x + 75, box.y + 60).luminance(), full / 3);
}

TEST_F(ScrollVeil, ScrollEdgesFadeOnlyWhereContentIsHidden) {
  Gtk::ScrolledWindow scroller;
  scroller.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller.set_size_request(240, 300);
  Gtk::Box list(Gtk::Orientation::VERTICAL, 0);
  std::vector<std::unique_ptr<Gtk::Label>> rows;
  for (int i = 0; i < 40; ++i) {
    rows.push_back(std::make_unique<Gtk::Label>("Row " + std::to_string(i)));
    rows.back()->set_size_request(-1, 30);
    list.append(*rows.back());
  }
  scroller.set_child(list);
  VeskScrollEdges edges(scroller);
  EXPECT_EQ(list.get_margin_top(), 20);
  EXPECT_EQ(list.get_margin_bottom(), 20);
  ShownWindow shown(edges);

  using Edges = VeskScrollEdges::Edges;
  const auto adjustment = scroller.get_vadjustment();
  EXPECT_EQ(adjustment->get_upper(), 40 * 30 + 40);
  EXPECT_EQ(edges.edges(), (Edges{false, true}));
  adjustment->set_value(1);
  EXPECT_EQ(edges.edges(), (Edges{false, true}));
  adjustment->set_value(1.5);
  EXPECT_EQ(edges.edges(), (Edges{true, true}));
  adjustment->set_value(adjustment->get_upper() - adjustment->get_page_size());
  EXPECT_EQ(edges.edges(), (Edges{true, false}));

  // Content shorter than the view never fades; the margins stay.
  while (list.get_first_child() != list.get_last_child()) list.remove(*list.get_last_child());
  vesk::testing::runUntil([&] { return adjustment->get_upper() <= adjustment->get_page_size(); });
  EXPECT_EQ(edges.edges(), (Edges{false, false}));
}

// A veil over a black ground in front of the window's canvas, as the root view stacks them.
TEST_F(ScrollVeil, ACanvasVeilHidesWhatLiesBeneathAndFadesBelowItsOpaqueLength) {
  auto css = Gtk::CssProvider::create();
  css->load_from_data(".veil-ground { background: black; }");
  Gtk::StyleContext::add_provider_for_display(Gdk::Display::get_default(), css, GTK_STYLE_PROVIDER_PRIORITY_USER);
  Gtk::Overlay stack;
  vesk::ui::WorkspaceCanvas canvas;
  canvas.set_size_request(320, 300);
  stack.set_child(canvas);
  Gtk::Box ground;
  ground.add_css_class("veil-ground");
  ground.set_valign(Gtk::Align::START);
  ground.set_size_request(-1, 200);
  stack.add_overlay(ground);
  VeskScrollVeil veil(100, false, 0.4, VeskScrollVeil::Backdrop::canvas);
  veil.set_margin_top(30);  // the canvas is drawn where the veil lies over it, not from its own top
  stack.add_overlay(veil);
  ShownWindow shown(stack);
  ASSERT_EQ(vesk::ui::WorkspaceCanvas::behind(veil), &canvas);

  const auto check = [&](const std::string& when) {
    const Pixels veiled = vesk::testing::render(stack);
    ground.set_opacity(0);
    veil.set_opacity(0);
    const Pixels bare = vesk::testing::render(stack);
    ground.set_opacity(1);
    veil.set_opacity(1);
    for (const int x : {0, 40, 160, 319}) {
      // Opaque for 40 px: the canvas itself, the black ground wholly hidden.
      for (const int y : {30, 50, 69}) EXPECT_LE(veiled.at(x, y).distance(bare.at(x, y)), 1) << when << x << "," << y;
      // Then fading over 60 px: half way down, half of the canvas over the black.
      EXPECT_NEAR(veiled.at(x, 100).luminance(), bare.at(x, 100).luminance() / 2, 8) << when << x;
      EXPECT_LT(veiled.at(x, 128).luminance(), bare.at(x, 128).luminance() / 8) << when << x;
      EXPECT_LT(veiled.at(x, 140).luminance(), 2) << when << x << ": below the veil";
    }
    EXPECT_LT(veiled.at(160, 10).luminance(), 2) << when << ": above the veil";
  };
  check("");
  // A taller canvas spreads its blooms anew; the veil, which kept its size, follows.
  canvas.set_size_request(320, 700);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return canvas.get_height() == 700; }));
  check("taller canvas: ");
  Gtk::StyleContext::remove_provider_for_display(Gdk::Display::get_default(), css);
}

// A canvas veil over a scrolling list: redrawn on every frame and while the list scrolls,
// it draws the canvas again only when its size, its look or the canvas changes.
TEST_F(ScrollVeil, ACanvasVeilDrawsTheCanvasOncePerSizeAndLook) {
  Gtk::Overlay stack;
  vesk::ui::WorkspaceCanvas canvas;
  canvas.set_size_request(320, 300);
  stack.set_child(canvas);
  Gtk::ScrolledWindow scroller;
  scroller.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  Gtk::Box list(Gtk::Orientation::VERTICAL, 0);
  std::vector<std::unique_ptr<Gtk::Label>> rows;
  for (int i = 0; i < 40; ++i) {
    rows.push_back(std::make_unique<Gtk::Label>("Row " + std::to_string(i)));
    rows.back()->set_size_request(-1, 30);
    list.append(*rows.back());
  }
  scroller.set_child(list);
  stack.add_overlay(scroller);
  VeskScrollVeil veil(100, false, 0.4, VeskScrollVeil::Backdrop::canvas);
  stack.add_overlay(veil);
  ShownWindow shown(stack);
  vesk::testing::settleFrame(stack);
  ASSERT_EQ(vesk::ui::WorkspaceCanvas::behind(veil), &canvas);

  const int first = veil.canvasImagesMade();
  EXPECT_GE(first, 1);
  const auto adjustment = scroller.get_vadjustment();
  for (int frame = 0; frame < 6; ++frame) {
    adjustment->set_value(frame * 37.5);
    ASSERT_TRUE(vesk::testing::waitForNextFrame(veil)) << "frame " << frame;
  }
  EXPECT_EQ(veil.canvasImagesMade(), first) << "redrawn while nothing it shows changed";

  veil.setOpaqueFraction(0.6);
  ASSERT_TRUE(vesk::testing::waitForNextFrame(veil));
  ASSERT_TRUE(vesk::testing::waitForNextFrame(veil));
  EXPECT_EQ(veil.canvasImagesMade(), first + 1) << "a new fade";

  canvas.set_size_request(320, 500);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return canvas.get_height() == 500; }));
  ASSERT_TRUE(vesk::testing::waitForNextFrame(veil));
  ASSERT_TRUE(vesk::testing::waitForNextFrame(veil));
  EXPECT_EQ(veil.canvasImagesMade(), first + 2) << "a taller canvas spreads its blooms anew";
  // The veil kept its size and shows the new canvas: fully opaque at its top.
  const auto veiled = vesk::testing::renderAndKeep(stack, "canvas-veil-over-list.png");
  scroller.set_opacity(0);
  veil.set_opacity(0);
  const auto bare = vesk::testing::render(stack);
  for (const int x : {0, 160, 319}) EXPECT_LE(veiled.at(x, 20).distance(bare.at(x, 20)), 1) << x;
}

// A list scrolls inside the room the edges give it and cuts its rows at its own edges:
// the bands lie there, so a row crossing an edge fades out instead of being cut.
TEST_F(ScrollVeil, AListsRowsFadeAtTheListsOwnEdgesNotCut) {
  auto css = Gtk::CssProvider::create();
  css->load_from_data(".edges-ground { background: white; } .edges-row { background: black; }");
  Gtk::StyleContext::add_provider_for_display(Gdk::Display::get_default(), css, GTK_STYLE_PROVIDER_PRIORITY_USER);
  Gtk::Box ground;
  ground.add_css_class("edges-ground");
  Gtk::ScrolledWindow scroller;
  scroller.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller.set_size_request(240, 300);
  std::vector<Glib::ustring> items(40, "row");
  auto factory = Gtk::SignalListItemFactory::create();
  factory->signal_setup().connect([](const Glib::RefPtr<Gtk::ListItem>& item) {
    auto* row = Gtk::make_managed<Gtk::Label>("");
    row->add_css_class("edges-row");
    row->set_size_request(-1, 37);
    item->set_child(*row);
  });
  Gtk::ListView list(Gtk::NoSelection::create(Gtk::StringList::create(items)), factory);
  scroller.set_child(list);
  VeskScrollEdges edges(scroller);
  ground.append(edges);
  ShownWindow shown(ground);
  // Every row is black from edge to edge: how dark the darkest pixel of a line is.
  const auto darkest = [&](const Pixels& pixels, int y) {
    double least = 255;
    for (int x = 0; x < pixels.width(); ++x) least = std::min(least, pixels.at(x, y).luminance());
    return least;
  };
  const auto listBox = boundsIn(list, ground);
  ASSERT_GT(listBox.y, 0) << "the list scrolls inside its room";

  auto adjustment = scroller.get_vadjustment();
  adjustment->set_value(200);
  ASSERT_EQ(edges.edges(), (VeskScrollEdges::Edges{true, true}));
  const Pixels pixels = vesk::testing::renderAndKeep(ground, "scroll-edges-list-ui-test.png");
  Gtk::StyleContext::remove_provider_for_display(Gdk::Display::get_default(), css);
  const int top = listBox.y;
  const int bottom = listBox.y + listBox.height;
  // Rows lie a few pixels apart: the darkest line of a stretch of lines.
  const auto darkestIn = [&](int from, int to) {
    double least = 255;
    for (int y = from; y <= to; ++y) least = std::min(least, darkest(pixels, y));
    return least;
  };
  EXPECT_GT(darkest(pixels, top), 200) << "faded at the list's top edge";
  EXPECT_GT(darkest(pixels, bottom - 1), 200) << "faded at the list's bottom edge";
  EXPECT_GT(darkestIn(bottom - 13, bottom - 7), 60) << "half way through the band";
  EXPECT_LT(darkestIn(bottom - 13, bottom - 7), 200) << "half way through the band";
  EXPECT_LT(darkestIn(top + 21, top + 40), 10) << "whole between the bands";
  EXPECT_LT(darkestIn(bottom - 40, bottom - 21), 10) << "whole between the bands";
}
