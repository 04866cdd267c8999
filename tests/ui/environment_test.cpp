#include "support/run_loop.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_sheet_surface.h"
#include "ui/support/ui_test.h"

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/popover.h>

#include <vector>

using namespace vesk::ui;
using vesk::testing::ShownWindow;

class Environment : public vesk::testing::UiTest {};

TEST_F(Environment, ValuesFlowDownFromTheNearestAncestorThatSetsThem) {
  Gtk::Box outer;
  Gtk::Box inner;
  Gtk::Label leaf;
  outer.append(inner);
  inner.append(leaf);
  EXPECT_EQ(veskHeaderInset(leaf), 112);
  EXPECT_FALSE(veskInsidePopup(leaf));

  setVeskHeaderInset(outer, 90);
  EXPECT_EQ(veskHeaderInset(leaf), 90);
  setVeskHeaderInset(inner, 64);
  EXPECT_EQ(veskHeaderInset(leaf), 64);
  EXPECT_EQ(veskHeaderInset(outer), 90);

  // Moved elsewhere, a widget reads its new ancestors.
  inner.remove(leaf);
  EXPECT_EQ(veskHeaderInset(leaf), 112);
}

TEST_F(Environment, AWidgetInsideASheetSurfaceIsInsideAPopup) {
  VeskSheetSurface sheet;
  Gtk::Box content;
  Gtk::Label control;
  content.append(control);
  sheet.set_child(content);
  Gtk::Label outside;
  EXPECT_TRUE(veskInsidePopup(control));
  EXPECT_TRUE(veskInsidePopup(sheet));
  EXPECT_FALSE(veskInsidePopup(outside));
  EXPECT_EQ(sheet.radius(), 26);
  EXPECT_EQ(sheet.role(), vesk::VeskGlassRole::panel);

  // Shown in a popover, the popover stops drawing its own background behind the glass.
  Gtk::Box anchor;
  ShownWindow shown(anchor);
  Gtk::Popover popover;
  popover.set_autohide(false);
  popover.set_parent(anchor);
  sheet.unset_child();
  popover.set_child(sheet);
  popover.popup();
  EXPECT_TRUE(vesk::testing::runUntil([&] { return sheet.get_mapped(); }));
  EXPECT_TRUE(popover.has_css_class("vesk-sheet-presentation"));
  popover.popdown();
  popover.unset_child();
  popover.unparent();
}

TEST_F(Environment, TheLargestReportedChromeHeightWinsAndNeverFallsBelowTheDefault) {
  Gtk::Box root;
  Gtk::Box header;
  Gtk::Label first;
  Gtk::Label second;
  root.append(header);
  header.append(first);
  header.append(second);
  std::vector<double> seen;
  observeVeskChromeHeight(root, [&](double height) { seen.push_back(height); });
  EXPECT_EQ(veskChromeHeight(root), 78);

  reportVeskChromeHeight(first, 60);
  EXPECT_EQ(veskChromeHeight(root), 78);
  reportVeskChromeHeight(second, 90);
  EXPECT_EQ(veskChromeHeight(root), 90);
  EXPECT_EQ(seen, (std::vector<double>{90}));

  reportVeskChromeHeight(second, std::nullopt);
  EXPECT_EQ(veskChromeHeight(root), 78);
  reportVeskChromeHeight(first, 120);
  EXPECT_EQ(seen, (std::vector<double>{90, 78, 120}));
}
