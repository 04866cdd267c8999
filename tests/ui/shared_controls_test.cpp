// The shared controls under a real pointer and keyboard: the text field's growth and
// focus border, the checkbox's label clicks and what assistive technologies read, the
// chrome button's hover rule, tooltip and label, the footer's hairline and the canvas.
#include "core/style/shared_control_recipe.h"
#include "support/run_loop.h"
#include "ui/style/action_footer.h"
#include "ui/style/atelier_checkbox_style.h"
#include "ui/style/atelier_text_field.h"
#include "ui/style/chrome_button.h"
#include "ui/style/workspace_canvas.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/box.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>

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
  vesk::testing::runFor(std::chrono::milliseconds(150));  // text views lay out their lines when idle
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
}
