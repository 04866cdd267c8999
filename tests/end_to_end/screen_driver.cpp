#include "end_to_end/screen_driver.h"

#include "support/run_loop.h"
#include "ui/support/next_frame.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gtest/gtest.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/editable.h>
#include <gtkmm/label.h>
#include <gtkmm/textview.h>
#include <gtkmm/togglebutton.h>

#include <iomanip>
#include <sstream>

namespace vesk::testing {

namespace {

bool reallyShown(Gtk::Widget& widget) { return widget.is_drawable() && widget.get_width() > 0; }

bool showsWords(Gtk::Widget& widget, const std::string& words) {
  if (auto* label = dynamic_cast<Gtk::Label*>(&widget); label && std::string(label->get_text()) == words) return true;
  if (auto* button = dynamic_cast<Gtk::Button*>(&widget); button && std::string(button->get_label()) == words)
    return true;
  if (auto* check = dynamic_cast<Gtk::CheckButton*>(&widget); check && std::string(check->get_label()) == words)
    return true;
  if (std::string(G_OBJECT_TYPE_NAME(widget.gobj())) == "GtkModelButton") {  // a menu item
    gchar* text = nullptr;
    g_object_get(widget.gobj(), "text", &text, nullptr);
    const bool same = text && words == text;
    g_free(text);
    if (same) return true;
  }
  return widget.get_has_tooltip() && std::string(widget.get_tooltip_text()) == words;
}

// The control a click on these words reaches: the nearest button around them.
Gtk::Widget& clickable(Gtk::Widget& widget) {
  for (Gtk::Widget* at = &widget; at; at = at->get_parent())
    if (dynamic_cast<Gtk::Button*>(at) || dynamic_cast<Gtk::CheckButton*>(at)) return *at;
  return widget;
}

}  // namespace

std::vector<Gtk::Widget*> ScreenDriver::findAll(const std::string& words) {
  return descendants(window_, [&](Gtk::Widget& widget) { return reallyShown(widget) && showsWords(widget, words); });
}

Gtk::Widget& ScreenDriver::find(const std::string& words, bool sensitive, std::chrono::milliseconds deadline,
                                bool buttonsOnly) {
  Gtk::Widget* found = nullptr;
  waitUntil(
      [&] {
        for (Gtk::Widget* widget : findAll(words)) {
          if (sensitive && !clickable(*widget).is_sensitive()) continue;
          if (buttonsOnly && !dynamic_cast<Gtk::Button*>(&clickable(*widget))) continue;
          found = widget;
          return true;
        }
        return false;
      },
      "a control showing \"" + words + "\"" + (sensitive ? " that can be used" : ""), deadline);
  if (!found) throw std::runtime_error("no control shows \"" + words + "\"");
  return *found;
}

void ScreenDriver::click(const std::string& words, const SyntheticInput::Where& where) {
  clickWidget(clickable(find(words)), where);
}

void ScreenDriver::clickButton(const std::string& words, const SyntheticInput::Where& where) {
  clickWidget(clickable(find(words, true, std::chrono::seconds(10), true)), where);
}

void ScreenDriver::clickWidget(Gtk::Widget& widget, const SyntheticInput::Where& where) {
  SyntheticInput::clickCentre(widget, where);
  settleFrame(window_);
}

void ScreenDriver::typeInto(Gtk::Widget& field, const std::string& text, const SyntheticInput::Where& where) {
  clickWidget(field, where);
  SyntheticInput::typeInto(field, text, where);
  settleFrame(window_);
}

void ScreenDriver::press(const std::vector<std::string>& chord, const SyntheticInput::Where& where) {
  SyntheticInput::pressChord(chord, where);
  settleFrame(window_);
}

bool ScreenDriver::waitUntil(const std::function<bool()>& done, const std::string& what,
                             std::chrono::milliseconds deadline) {
  const bool held = runUntil(done, deadline);
  if (!held) {
    keep("timed-out");
    ADD_FAILURE() << "waited in vain for " << what;
  }
  return held;
}

void ScreenDriver::keep(const std::string& name) {
  settleFrame(window_);
  std::ostringstream file;
  file << "end-to-end-" << std::setw(2) << std::setfill('0') << ++step_ << "-" << name;
  renderAndKeep(window_, file.str() + ".png");
}

}  // namespace vesk::testing
