#include "ui/controls/vesk_choice_pill_style.h"

#include "core/style/control_stylesheet.h"

#include <gtkmm/cssprovider.h>
#include <gtkmm/stylecontext.h>

#include <set>
#include <string>

namespace vesk::ui {

namespace {

GQuark inkClassQuark() { return g_quark_from_static_string("vesk-choice-pill-ink-class"); }

void showClass(Gtk::Widget& widget, const char* name, bool on) {
  if (on) {
    widget.add_css_class(name);
  } else {
    widget.remove_css_class(name);
  }
}

// The palette's ink is in the application's stylesheet; another ink gets its rules
// once per display, just above it.
void ensureInkRules(const Glib::RefPtr<Gdk::Display>& display, const Rgba& ink, const std::string& inkClass) {
  static std::set<std::pair<GdkDisplay*, std::string>> installed;
  if (!display || !installed.insert({display->gobj(), inkClass}).second) return;
  auto provider = Gtk::CssProvider::create();
  provider->load_from_data(ControlStylesheet::choicePillRules(ink));
  Gtk::StyleContext::add_provider_for_display(display, provider, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
}

void setInkClass(Gtk::Button& button, const std::string& inkClass) {
  GObject* object = G_OBJECT(button.gobj());
  if (const auto* previous = static_cast<const char*>(g_object_get_qdata(object, inkClassQuark())))
    button.remove_css_class(previous);
  if (inkClass.empty()) {
    g_object_set_qdata(object, inkClassQuark(), nullptr);
    return;
  }
  button.add_css_class(inkClass);
  g_object_set_qdata_full(object, inkClassQuark(), g_strdup(inkClass.c_str()), g_free);
}

}  // namespace

void VeskChoicePillStyle::apply(Gtk::Button& button) const {
  for (const auto treatment : allChoicePillTreatments) button.remove_css_class(ControlClasses::treatment(treatment));
  button.add_css_class(ControlClasses::choicePill);
  button.add_css_class(ControlClasses::treatment(treatment_));
  showClass(button, ControlClasses::selected, isSelected_);
  showClass(button, ControlClasses::dimmed, dimmed_);
  const std::string inkClass = ControlClasses::ink(ink_);
  setInkClass(button, inkClass);
  if (!inkClass.empty()) ensureInkRules(button.get_display(), ink_, inkClass);
}

}  // namespace vesk::ui
