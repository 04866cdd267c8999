#include "ui/support/event_witness.h"

#include <gtk/gtk.h>
#include <gtkmm/widget.h>

#include <algorithm>

namespace vesk::testing {

namespace {

// Every native surface of the process: the toplevel windows and the popovers they hold.
void collectNatives(GtkWidget* widget, std::vector<GtkWidget*>& natives) {
  if (GTK_IS_NATIVE(widget)) natives.push_back(widget);
  for (GtkWidget* child = gtk_widget_get_first_child(widget); child; child = gtk_widget_get_next_sibling(child))
    collectNatives(child, natives);
}

bool watches(const std::vector<Glib::RefPtr<Gtk::EventControllerLegacy>>& controllers, GtkWidget* native) {
  return std::any_of(controllers.begin(), controllers.end(), [native](const auto& controller) {
    return gtk_event_controller_get_widget(GTK_EVENT_CONTROLLER(controller->gobj())) == native;
  });
}

}  // namespace

EventWitness::EventWitness(std::initializer_list<Gdk::Event::Type> types) : types_(types) { watchNatives(); }

EventWitness::~EventWitness() {
  for (const auto& controller : controllers_)
    if (GtkWidget* widget = gtk_event_controller_get_widget(GTK_EVENT_CONTROLLER(controller->gobj())))
      gtk_widget_remove_controller(widget, GTK_EVENT_CONTROLLER(controller->gobj()));
}

int EventWitness::count() {
  watchNatives();
  return *count_;
}

void EventWitness::watchNatives() {
  std::vector<GtkWidget*> natives;
  GListModel* toplevels = gtk_window_get_toplevels();
  for (guint i = 0; i < g_list_model_get_n_items(toplevels); ++i) {
    auto* window = static_cast<GtkWidget*>(g_list_model_get_item(toplevels, i));
    collectNatives(window, natives);
    g_object_unref(window);
  }
  for (GtkWidget* native : natives) {
    if (watches(controllers_, native)) continue;
    auto controller = Gtk::EventControllerLegacy::create();
    controller->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    controller->signal_event().connect(
        [count = count_, counted = types_](const Glib::RefPtr<const Gdk::Event>& event) {
          if (std::find(counted.begin(), counted.end(), event->get_event_type()) != counted.end()) ++*count;
          return false;
        },
        false);
    gtk_widget_add_controller(native, GTK_EVENT_CONTROLLER(g_object_ref(controller->gobj())));
    controllers_.push_back(std::move(controller));
  }
}

}  // namespace vesk::testing
