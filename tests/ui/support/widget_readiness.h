#pragma once
// Whether a widget can take real input yet, as a user would find it: on the screen
// (mapped and drawable) with a size, sensitive when it is to be used, and drawn by a frame
// of its window since then at the same place. A wait for it names, when it gives up, the
// conditions that were still unmet.
#include <gtkmm/widget.h>

#include <chrono>
#include <optional>
#include <source_location>
#include <string>

namespace vesk::testing {

enum class Readiness {
  shown,     // on the screen with a size: the pointer can rest on it
  usable,    // shown, sensitive and open to the pointer: a click or a key reaches it
  disabled,  // shown and insensitive: the test checks that it ignores input
};

// What `widget` lacks now, in words ("not mapped, no size"); empty when it lacks nothing.
std::string unmetConditions(Gtk::Widget& widget, Readiness readiness);

// Runs the loop until `widget` meets the conditions and a frame of its window has been
// drawn since, the widget still meeting them at the same place. Nothing when it did; what
// was still missing at the deadline otherwise.
std::optional<std::string> waitUntilReady(Gtk::Widget& widget, Readiness readiness,
                                          std::chrono::milliseconds deadline = std::chrono::seconds(10));

// Waits as above for `action` ("a click", "typing"); when the widget never gets there,
// throws the step's failure naming the widget and what it still lacked.
void requireReady(Gtk::Widget& widget, Readiness readiness, const std::string& action,
                  const std::source_location& where);

// The widget as a failure names it: its type and the words it shows.
std::string describe(Gtk::Widget& widget);

// Ends the test with `message` as the failure of the step at `where` (a test file's line).
[[noreturn]] void failStep(const std::source_location& where, const std::string& message);

}  // namespace vesk::testing
