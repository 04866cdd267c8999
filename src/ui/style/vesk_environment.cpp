#include "ui/style/vesk_environment.h"

#include "ui/style/accessibility_settings.h"

#include <sigc++/signal.h>

#include <memory>
#include <vector>

namespace vesk::ui {

namespace {

GQuark headerInsetQuark() { return g_quark_from_static_string("vesk-header-inset"); }
GQuark insidePopupQuark() { return g_quark_from_static_string("vesk-inside-popup"); }
GQuark accessibilityQuark() { return g_quark_from_static_string("vesk-accessibility"); }
GQuark chromeReportQuark() { return g_quark_from_static_string("vesk-chrome-height-report"); }
GQuark chromeObserverQuark() { return g_quark_from_static_string("vesk-chrome-height-observer"); }

GObject* objectOf(const Gtk::Widget& widget) { return G_OBJECT(const_cast<GtkWidget*>(widget.gobj())); }

// Stores a copy of `value` on the widget; the widget owns it from then on.
template <class T>
void store(Gtk::Widget& widget, GQuark key, const T& value) {
  g_object_set_qdata_full(objectOf(widget), key, std::make_unique<T>(value).release(),
                          [](gpointer data) { delete static_cast<T*>(data); });
}

template <class T>
const T* storedOn(const GtkWidget* widget, GQuark key) {
  return static_cast<const T*>(g_object_get_qdata(G_OBJECT(widget), key));
}

// The value on the widget or its nearest ancestor that has one.
template <class T>
const T* inherited(const Gtk::Widget& widget, GQuark key) {
  for (const GtkWidget* w = widget.gobj(); w; w = gtk_widget_get_parent(const_cast<GtkWidget*>(w))) {
    if (const T* value = storedOn<T>(w, key)) return value;
  }
  return nullptr;
}

// Everything below a changed value re-measures and redraws with it.
void invalidateSubtree(GtkWidget* widget) {
  gtk_widget_queue_resize(widget);
  gtk_widget_queue_draw(widget);
  for (GtkWidget* child = gtk_widget_get_first_child(widget); child; child = gtk_widget_get_next_sibling(child))
    invalidateSubtree(child);
}

template <class T>
void setAndInvalidate(Gtk::Widget& widget, GQuark key, const T& value) {
  store(widget, key, value);
  invalidateSubtree(widget.gobj());
}

void collectReports(const GtkWidget* widget, std::vector<double>& reports) {
  if (const double* report = storedOn<double>(widget, chromeReportQuark())) reports.push_back(*report);
  for (GtkWidget* child = gtk_widget_get_first_child(const_cast<GtkWidget*>(widget)); child;
       child = gtk_widget_get_next_sibling(child))
    collectReports(child, reports);
}

double combinedBelow(const GtkWidget* observer) {
  std::vector<double> reports;
  collectReports(observer, reports);
  return VeskChromeHeightKey::combine(reports);
}

struct ChromeObserver {
  sigc::signal<void(double)> changed;
  double last = VeskChromeHeightKey::defaultValue;
};

}  // namespace

double veskHeaderInset(const Gtk::Widget& widget) {
  const double* value = inherited<double>(widget, headerInsetQuark());
  return value ? *value : VeskHeaderInsetKey::defaultValue;
}

void setVeskHeaderInset(Gtk::Widget& widget, double inset) { setAndInvalidate(widget, headerInsetQuark(), inset); }

bool veskInsidePopup(const Gtk::Widget& widget) {
  const bool* value = inherited<bool>(widget, insidePopupQuark());
  return value ? *value : VeskPopupKey::defaultValue;
}

void setVeskInsidePopup(Gtk::Widget& widget, bool insidePopup) {
  setAndInvalidate(widget, insidePopupQuark(), insidePopup);
}

AccessibilityState veskAccessibility(const Gtk::Widget& widget) {
  const auto* forced = inherited<AccessibilityState>(widget, accessibilityQuark());
  return forced ? *forced : AccessibilitySettings::shared().state();
}

void forceVeskAccessibility(Gtk::Widget& widget, const AccessibilityState& state) {
  setAndInvalidate(widget, accessibilityQuark(), state);
}

void reportVeskChromeHeight(Gtk::Widget& reporter, std::optional<double> height) {
  if (height) {
    store(reporter, chromeReportQuark(), *height);
  } else {
    g_object_set_qdata(objectOf(reporter), chromeReportQuark(), nullptr);
  }
  for (GtkWidget* w = reporter.gobj(); w; w = gtk_widget_get_parent(w)) {
    auto* observer = static_cast<ChromeObserver*>(g_object_get_qdata(G_OBJECT(w), chromeObserverQuark()));
    if (!observer) continue;
    const double combined = combinedBelow(w);
    if (combined == observer->last) continue;
    observer->last = combined;
    observer->changed.emit(combined);
  }
}

sigc::connection observeVeskChromeHeight(Gtk::Widget& observer, std::function<void(double)> changed) {
  auto* state = static_cast<ChromeObserver*>(g_object_get_qdata(objectOf(observer), chromeObserverQuark()));
  if (!state) {
    store(observer, chromeObserverQuark(), ChromeObserver{});
    state = static_cast<ChromeObserver*>(g_object_get_qdata(objectOf(observer), chromeObserverQuark()));
    state->last = combinedBelow(observer.gobj());
  }
  return state->changed.connect(std::move(changed));
}

double veskChromeHeight(const Gtk::Widget& observer) { return combinedBelow(observer.gobj()); }

}  // namespace vesk::ui
