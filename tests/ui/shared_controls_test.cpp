// The shared controls under a real pointer and keyboard: the text field's growth and
// focus border, the checkbox's label clicks and what assistive technologies read, the
// chrome button's hover rule, tooltip and label, the footer's hairline and the canvas.
#include "core/style/shared_control_recipe.h"
#include "support/run_loop.h"
#include "ui/base/widget_snapshot.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/atelier_checkbox_style.h"
#include "ui/controls/atelier_text_field.h"
#include "ui/controls/chrome_button.h"
#include "ui/style/workspace_canvas.h"
#include "ui/support/next_frame.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/box.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>

#include <cmath>

using vesk::testing::boundsIn;
using vesk::testing::Pixel;
using vesk::testing::Pixels;
using vesk::testing::ShownWindow;
using vesk::testing::SyntheticInput;
using vesk::ui::AtelierTextField;

namespace {

class SharedControls : public vesk::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

int fieldHeight(AtelierTextField& field) {
  vesk::testing::settleFrame(field);                   // text views lay out their lines when idle
  return field.editable().get_parent()->get_height();  // the scroller, or the line itself
}

Gtk::ScrolledWindow& scrollerOf(AtelierTextField& field) {
  return *dynamic_cast<Gtk::ScrolledWindow*>(field.editable().get_parent());
}

}  // namespace

TEST_F(SharedControls, AVerticalTextFieldGrowsFromTwoLinesToFourThenScrolls) {
  Gtk::Box page(Gtk::Orientation::VERTICAL, 0);
  AtelierTextField field("Context", "Who it\u2019s for", Gtk::Orientation::VERTICAL);
  field.set_size_request(320, -1);
  field.set_valign(Gtk::Align::START);
  page.append(field);
  ShownWindow shown(page, 400, 500);
  const int line = field.lineHeight();
  ASSERT_GT(line, 10);

  EXPECT_EQ(fieldHeight(field), 2 * line);
  field.set_text("one");
  EXPECT_EQ(fieldHeight(field), 2 * line);
  field.set_text("one\ntwo\nthree");
  EXPECT_EQ(fieldHeight(field), 3 * line);
  field.set_text("one\ntwo\nthree\nfour");
  EXPECT_EQ(fieldHeight(field), 4 * line);
  field.set_text("one\ntwo\nthree\nfour\nfive\nsix\nseven");
  EXPECT_EQ(fieldHeight(field), 4 * line);
  const auto scroll = scrollerOf(field).get_vadjustment();
  EXPECT_GT(scroll->get_upper(), scroll->get_page_size() + line);

  // Text given before the field is shown counts too, and the field grows even on a
  // scrolling page, which hands its content no more than the minimum height.
  Gtk::ScrolledWindow page2;
  Gtk::Box other(Gtk::Orientation::VERTICAL, 0);
  AtelierTextField filled("Context", "", Gtk::Orientation::VERTICAL);
  filled.set_text("one\ntwo\nthree");
  filled.set_size_request(320, -1);
  other.append(filled);
  Gtk::Box filler;  // more than the window shows, so the page gets only its minimum
  filler.set_size_request(-1, 2000);
  other.append(filler);
  page2.set_child(other);
  ShownWindow second(page2, 400, 500);
  EXPECT_EQ(fieldHeight(filled), 3 * line);
}

TEST_F(SharedControls, AHorizontalFieldStaysOneLineAndADisabledOneRejectsTyping) {
  Gtk::Box page(Gtk::Orientation::VERTICAL, 20);
  page.set_margin(20);
  AtelierTextField name("Project name", "Name", Gtk::Orientation::HORIZONTAL);
  AtelierTextField locked("Locked", "Not editable", Gtk::Orientation::HORIZONTAL, false);
  for (auto* field : {&name, &locked}) {
    field->set_size_request(240, -1);
    page.append(*field);
  }
  ShownWindow shown(page);
  const int oneLine = name.editable().get_height();
  EXPECT_EQ(oneLine, name.lineHeight());
  int changes = 0;
  name.signalChanged().connect([&] { ++changes; });

  // Typing into the enabled field; its border turns gold and 2 px wide.
  SyntheticInput::click(name.editable(), 10, oneLine / 2.0);
  EXPECT_TRUE(name.focused());
  SyntheticInput::typeInto(name.editable(), "checkout flow");
  EXPECT_EQ(name.text(), "checkout flow");
  EXPECT_EQ(changes, 13);
  name.set_text("a name long enough to run well past the end of the field, and then some more");
  vesk::testing::settleFrame(name);
  EXPECT_EQ(name.editable().get_height(), oneLine);

  const Pixels pixels = vesk::testing::renderAndKeep(page, "text-fields-ui-test.png");
  const auto frame = boundsIn(*name.editable().get_parent(), page);
  const auto otherFrame = boundsIn(*locked.editable().get_parent(), page);
  const Pixel gold = vesk::testing::Pixel{0xC9, 0xA8, 0x4C, 255};
  for (const int inset : {0, 1})
    EXPECT_LE(pixels.at(frame.x + inset, frame.y + frame.height / 2).distance(gold), 2) << inset;
  EXPECT_GT(pixels.at(frame.x + 2, frame.y + frame.height / 2).distance(gold), 40);
  // The unfocused field: ink at 0.14, 1 px.
  const Pixel rim = pixels.at(otherFrame.x, otherFrame.y + otherFrame.height / 2);
  EXPECT_NEAR(rim.alpha, 255 * (0.14 + 0.6 * 0.86), 2);

  // The disabled field takes neither focus nor text.
  SyntheticInput::clickDisabled(locked.editable(), 10, oneLine / 2.0);
  for (const char* key : {"n", "o", "p", "e"}) SyntheticInput::pressKey(key);
  EXPECT_EQ(locked.text(), "");
  EXPECT_FALSE(locked.focused());
  locked.set_enabled(true);
  SyntheticInput::click(locked.editable(), 10, oneLine / 2.0);
  SyntheticInput::typeInto(locked.editable(), "yes");
  EXPECT_EQ(locked.text(), "yes");
  SyntheticInput::moveAway();
}

TEST_F(SharedControls, CheckboxLabelsToggleAndReadAsCheckboxes) {
  Gtk::Box page(Gtk::Orientation::VERTICAL, 20);
  page.set_margin(20);
  Gtk::CheckButton check("Keep this project private");
  vesk::ui::AtelierCheckboxStyle().apply(check);
  check.set_halign(Gtk::Align::START);
  page.append(check);
  ShownWindow shown(page);
  auto* accessible = GTK_ACCESSIBLE(check.gobj());
  EXPECT_TRUE(gtk_test_accessible_has_role(accessible, GTK_ACCESSIBLE_ROLE_CHECKBOX));
  const auto checkedState = [&](GtkAccessibleTristate expected) {
    char* mismatch = gtk_test_accessible_check_state(accessible, GTK_ACCESSIBLE_STATE_CHECKED, expected);
    const bool matches = mismatch == nullptr;
    g_free(mismatch);
    return matches;
  };
  EXPECT_TRUE(checkedState(GTK_ACCESSIBLE_TRISTATE_FALSE));

  // The label text, far right of the box, toggles exactly as the box does.
  auto* label = check.get_last_child();
  ASSERT_NE(label, nullptr);
  const auto box = boundsIn(*check.get_first_child(), check);
  const auto text = boundsIn(*label, check);
  EXPECT_EQ(box.width, 18);
  EXPECT_EQ(box.height, 18);
  EXPECT_EQ(text.x, box.x + box.width + 10);
  SyntheticInput::click(*label, text.width - 4, text.height / 2.0);
  EXPECT_TRUE(check.get_active());
  EXPECT_TRUE(checkedState(GTK_ACCESSIBLE_TRISTATE_TRUE));
  SyntheticInput::click(check, box.x + 9, box.y + 9);
  EXPECT_FALSE(check.get_active());
  EXPECT_TRUE(checkedState(GTK_ACCESSIBLE_TRISTATE_FALSE));
  SyntheticInput::click(*label, 4, text.height / 2.0);
  EXPECT_TRUE(check.get_active());
  SyntheticInput::moveAway();

  // On: a red box with a white mark in its middle; its bottom 3 px below the baseline.
  vesk::testing::renderStill(check);
  const Pixels pixels = vesk::testing::renderAndKeep(check, "checkbox-ui-test.png");
  EXPECT_LE(pixels.at(box.x + 2, box.y + 2).distance({0xE8, 0x50, 0x3A, 255}), 2);
  int whitest = 0;
  for (int y = box.y + 4; y < box.y + 14; ++y)
    for (int x = box.x + 4; x < box.x + 14; ++x) whitest = std::max(whitest, pixels.at(x, y).green);
  EXPECT_GT(whitest, 200);
  int minimum = 0, natural = 0, minimumBaseline = -1, naturalBaseline = -1;
  label->measure(Gtk::Orientation::VERTICAL, -1, minimum, natural, minimumBaseline, naturalBaseline);
  ASSERT_GE(naturalBaseline, 0);
  EXPECT_EQ(box.y + box.height, text.y + naturalBaseline + 3);
}

TEST_F(SharedControls, AnUncheckedBoxLaysItsBorderOverItsOwnFill) {
  // On a black ground, so the border shows what lies under it: the white fill when the
  // fill reaches under the border, the ground when it stops inside it.
  auto css = Gtk::CssProvider::create();
  css->load_from_data(".checkbox-ground { background: black; }");
  Gtk::StyleContext::add_provider_for_display(Gdk::Display::get_default(), css, GTK_STYLE_PROVIDER_PRIORITY_USER);
  Gtk::Box ground;
  ground.add_css_class("checkbox-ground");
  Gtk::CheckButton check("Keep this project private");
  vesk::ui::AtelierCheckboxStyle().apply(check);
  check.set_margin(20);
  ground.append(check);
  ShownWindow shown(ground);
  const Pixels pixels = vesk::testing::renderAndKeep(ground, "checkbox-unchecked-ui-test.png");
  Gtk::StyleContext::remove_provider_for_display(Gdk::Display::get_default(), css);

  using R = vesk::CheckboxRecipe;
  const auto box = boundsIn(*check.get_first_child(), ground);
  const double fill = 255 * R::offFill.alpha;  // white over black
  const auto over = [&](double border, double under) {
    return static_cast<int>(std::lround(under * (1 - R::offBorder.alpha) + 255 * border * R::offBorder.alpha));
  };
  const Pixel expected{over(R::offBorder.red, fill), over(R::offBorder.green, fill), over(R::offBorder.blue, fill),
                       255};
  // The middle of each side, away from the rounded corners.
  for (const auto& [x, y] : {std::pair{box.x, box.y + 9},
                             {box.x + box.width - 1, box.y + 9},
                             {box.x + 9, box.y},
                             {box.x + 9, box.y + box.height - 1}})
    EXPECT_LE(pixels.at(x, y).distance(expected), 2) << x << ", " << y;
  const int white = static_cast<int>(std::lround(fill));
  EXPECT_LE(pixels.at(box.x + 9, box.y + 9).distance({white, white, white, 255}), 2);
}

TEST_F(SharedControls, ChromeButtonHoverLabelAndDisabledLook) {
  Gtk::Box page;
  page.set_margin(20);
  int pressed = 0;
  vesk::ui::ChromeButton button(vesk::VeskGlyphKind::sidebar, "Toggle sidebar (Ctrl+Alt+S)", [&] { ++pressed; });
  page.append(button);
  ShownWindow shown(page);
  EXPECT_EQ(button.get_tooltip_text(), "Toggle sidebar (Ctrl+Alt+S)");
  char* mismatch = gtk_test_accessible_check_property(GTK_ACCESSIBLE(button.gobj()), GTK_ACCESSIBLE_PROPERTY_LABEL,
                                                      "Toggle sidebar (Ctrl+Alt+S)");
  EXPECT_EQ(mismatch, nullptr) << mismatch;
  g_free(mismatch);
  const auto bounds = boundsIn(button, page);
  EXPECT_EQ(bounds.width, 40);
  EXPECT_EQ(bounds.height, 40);

  SyntheticInput::click(button, 2, 2);  // the square's corner, outside the circle
  EXPECT_EQ(pressed, 0);
  EXPECT_FALSE(button.hovered());
  SyntheticInput::click(button, 20, 20);
  EXPECT_EQ(pressed, 1);
  EXPECT_TRUE(button.hovered());
  Pixels pixels = vesk::testing::renderAndKeep(page, "chrome-button-hovered-ui-test.png");
  const Pixel hoverFill = pixels.at(bounds.x + 6, bounds.y + 20);  // inside the circle, off the glyph
  EXPECT_NEAR(hoverFill.alpha, 0.12 * 255, 1);
  EXPECT_LE(hoverFill.distance({0xC9, 0xA8, 0x4C, 255}), 3);

  // Disabled under the pointer: the hover ends and does not come back while it rests.
  button.set_sensitive(false);
  EXPECT_FALSE(button.hovered());
  vesk::testing::renderStill(page);
  pixels = vesk::testing::renderAndKeep(page, "chrome-button-disabled-ui-test.png");
  EXPECT_EQ(pixels.at(bounds.x + 6, bounds.y + 20).alpha, 0);
  // The glyph at 0.35: the darkest stroke pixel is ink at no more than 0.35.
  int strongest = 0;
  for (int y = bounds.y; y < bounds.y + bounds.height; ++y)
    for (int x = bounds.x; x < bounds.x + bounds.width; ++x) strongest = std::max(strongest, pixels.at(x, y).alpha);
  EXPECT_NEAR(strongest, 0.35 * 255, 2);
  button.set_sensitive(true);
  vesk::testing::settleFrame(button);
  EXPECT_FALSE(button.hovered());
  SyntheticInput::moveAway();
  SyntheticInput::moveTo(button, 20, 20);
  EXPECT_TRUE(button.hovered());
  SyntheticInput::moveAway();
}

TEST_F(SharedControls, FooterHairlineAndCanvasBlooms) {
  Gtk::Box page(Gtk::Orientation::VERTICAL, 0);
  Gtk::Label actions("Save changes");
  vesk::ui::ActionFooter footer(actions);
  footer.set_size_request(300, -1);
  footer.set_halign(Gtk::Align::START);
  page.append(footer);
  vesk::ui::WorkspaceCanvas canvas;
  canvas.set_size_request(800, 500);
  page.append(canvas);
  ShownWindow shown(page);

  const auto hairline = boundsIn(footer.hairline(), page);
  EXPECT_EQ(hairline.height, 1);
  EXPECT_EQ(hairline.width, 300);
  EXPECT_EQ(boundsIn(actions, page).y, hairline.y + 1 + 20);
  const Pixels pixels = vesk::testing::renderAndKeep(page, "footer-and-canvas-ui-test.png");
  const Pixel line = pixels.at(150, hairline.y);
  EXPECT_NEAR(line.alpha, 0.1 * 255, 1);
  EXPECT_LE(line.distance({0x1A, 0x18, 0x14, 255}), 8);  // ink, as exactly as an alpha of 25 keeps it

  // The canvas: opaque ivory, warmed (less blue) where the blooms lie; the first bloom,
  // the strongest, clearly so.
  const auto area = boundsIn(canvas, page);
  const auto at = [&](double fx, double fy) {
    return pixels.at(area.x + static_cast<int>(fx * area.width), area.y + static_cast<int>(fy * area.height));
  };
  const Pixel ivory{0xF8, 0xF6, 0xF1, 255};
  for (const auto& [fx, fy] : {std::pair{0.87, 0.09}, {0.10, 0.96}, {0.55, 0.53}}) {
    const Pixel bloom = at(fx, fy);
    EXPECT_EQ(bloom.alpha, 255);
    EXPECT_LT(bloom.blue, ivory.blue) << fx << ", " << fy;
    EXPECT_LE(bloom.red, ivory.red);
  }
  EXPECT_LT(at(0.87, 0.09).blue, ivory.blue - 6);
  EXPECT_LT(at(0.87, 0.09).blue, at(0.02, 0.3).blue);
  EXPECT_FALSE(canvas.get_can_target());
}
