#pragma once
// Counts the input events of the given types that reach any of the test's windows or
// popovers, before their widgets handle them, so that a test's real input can be waited
// for until GTK has dispatched it (wherever a grab or the pointer sends it).
#include <gdkmm/event.h>
#include <gtkmm/eventcontrollerlegacy.h>

#include <initializer_list>
#include <memory>
#include <vector>

namespace vesk::testing {

class EventWitness {
 public:
  explicit EventWitness(std::initializer_list<Gdk::Event::Type> types);
  ~EventWitness();
  EventWitness(const EventWitness&) = delete;
  EventWitness& operator=(const EventWitness&) = delete;

  // The events counted so far. Asking also watches the popovers that came up since (a
  // press may open one, which then takes the release), before the loop dispatches more.
  int count();

 private:
  void watchNatives();

  std::vector<Gdk::Event::Type> types_;
  // Shared with the controllers' handlers, which may outlive the witness on a widget
  // that went away meanwhile.
  std::shared_ptr<int> count_ = std::make_shared<int>(0);
  std::vector<Glib::RefPtr<Gtk::EventControllerLegacy>> controllers_;
};

}  // namespace vesk::testing
