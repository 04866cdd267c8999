#include "ui/controls/control_state_binding.h"

#include "core/style/control_stylesheet.h"
#include "ui/style/accessibility_settings.h"
#include "ui/style/vesk_environment.h"

#include <gtkmm/eventcontrollermotion.h>

#include <memory>

namespace vesk::ui {

namespace {

GQuark bindingQuark() { return g_quark_from_static_string("vesk-control-state-binding"); }

void showClass(Gtk::Widget& widget, const char* name, bool on) {
  if (on == widget.has_css_class(name)) return;
  if (on) {
    widget.add_css_class(name);
  } else {
    widget.remove_css_class(name);
  }
}

}  // namespace

ControlStateBinding& ControlStateBinding::of(Gtk::Widget& widget) {
  GObject* object = G_OBJECT(widget.gobj());
  if (auto* existing = static_cast<ControlStateBinding*>(g_object_get_qdata(object, bindingQuark()))) return *existing;
  // The widget owns its binding from here on.
  auto binding = std::unique_ptr<ControlStateBinding>(new ControlStateBinding(widget));
  g_object_set_qdata_full(object, bindingQuark(), binding.get(),
                          [](gpointer data) { delete static_cast<ControlStateBinding*>(data); });
  return *binding.release();
}

ControlStateBinding::ControlStateBinding(Gtk::Widget& widget) : widget_(widget) {
  trackPointer();
  // Disabled directly or through an ancestor.
  widget_.signal_state_flags_changed().connect([this](Gtk::StateFlags previous) {
    const bool wasEnabled = (previous & Gtk::StateFlags::INSENSITIVE) != Gtk::StateFlags::INSENSITIVE;
    const bool enabled = widget_.is_sensitive();
    if (enabled == wasEnabled) return;
    if (hover_.enabledChanged(enabled)) showHover();
    // The toolkit sends a disabled control no crossing events, so the old tracker may
    // still think the pointer is inside; a fresh one waits for the next real enter.
    if (enabled) trackPointer();
  });
  widget_.signal_map().connect(sigc::mem_fun(*this, &ControlStateBinding::refreshEnvironment));
  settingsConnection_ = AccessibilitySettings::shared().signalChanged().connect(
      sigc::mem_fun(*this, &ControlStateBinding::refreshEnvironment));
  // The binding itself goes only when the widget's object is finalized; stop reading
  // the widget once it is destroyed.
  widget_.signal_destroy().connect([this] { settingsConnection_.disconnect(); });
  refreshEnvironment();
}

void ControlStateBinding::trackPointer() {
  if (motion_) widget_.remove_controller(motion_);
  motion_ = Gtk::EventControllerMotion::create();
  motion_->signal_enter().connect([this](double, double) {
    if (hover_.pointerEntered(widget_.is_sensitive())) showHover();
  });
  motion_->signal_leave().connect([this] {
    if (hover_.pointerLeft()) showHover();
  });
  widget_.add_controller(motion_);
}

ControlStateBinding::~ControlStateBinding() { settingsConnection_.disconnect(); }

void ControlStateBinding::forceHovered(bool hovered) {
  if (hover_.force(hovered)) showHover();
}

void ControlStateBinding::showHover() { showClass(widget_, ControlClasses::hovered, hover_.hovered()); }

void ControlStateBinding::refreshEnvironment() {
  showClass(widget_, ControlClasses::insidePopup, veskInsidePopup(widget_));
  showClass(widget_, ControlClasses::reduceMotion, veskAccessibility(widget_).reduceMotion);
}

}  // namespace vesk::ui
