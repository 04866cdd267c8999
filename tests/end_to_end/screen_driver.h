#pragma once
// Walks the window the way a user does: finds controls by the words they show (their
// label, their text or their tooltip), clicks them and types with real X events, waits for
// the screen to change, and keeps a numbered screenshot of every step.
#include "ui/app/vesk_window.h"
#include "ui/support/synthetic_input.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vesk::testing {

class ScreenDriver {
 public:
  explicit ScreenDriver(ui::VeskWindow& window) : window_(window) {}

  // The shown controls whose label, text or tooltip is exactly `words`.
  std::vector<Gtk::Widget*> findAll(const std::string& words);
  // Waits until exactly such a control shows (and can be used, with `sensitive`).
  Gtk::Widget& find(const std::string& words, bool sensitive = true,
                    std::chrono::milliseconds deadline = std::chrono::seconds(10), bool buttonsOnly = false);
  bool shows(const std::string& words) { return !findAll(words).empty(); }

  // Clicks the control that shows these words (or the button around them) once it can be
  // used.
  void click(const std::string& words, const SyntheticInput::Where& where = SyntheticInput::Where::current());
  // The same, among buttons only (the wordmark and the submit button both read "Vesk").
  void clickButton(const std::string& words, const SyntheticInput::Where& where = SyntheticInput::Where::current());
  void clickWidget(Gtk::Widget& widget, const SyntheticInput::Where& where = SyntheticInput::Where::current());
  // Clicks into a text control and types plain ASCII once it has the keyboard focus.
  void typeInto(Gtk::Widget& field, const std::string& text,
                const SyntheticInput::Where& where = SyntheticInput::Where::current());
  void press(const std::vector<std::string>& chord,
             const SyntheticInput::Where& where = SyntheticInput::Where::current());

  // Runs the loop until `done()` holds; fails the step with `what` after the deadline.
  bool waitUntil(const std::function<bool()>& done, const std::string& what,
                 std::chrono::milliseconds deadline = std::chrono::seconds(20));
  // Lets the screen settle for a frame and keeps it as "end-to-end-NN-<name>.png".
  void keep(const std::string& name);

 private:
  ui::VeskWindow& window_;
  int step_ = 0;
};

}  // namespace vesk::testing
