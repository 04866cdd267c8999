#include "ui/support/widget_readiness.h"

#include "support/run_loop.h"
#include "support/wait_scale.h"
#include "ui/support/next_frame.h"

#include <gtk/gtk.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/label.h>
#include <gtkmm/native.h>

#include <sstream>
#include <stdexcept>

namespace vesk::testing {

namespace {

// Where the widget lies in its window (or popover); nothing while it has no place there.
std::optional<graphene_rect_t> place(Gtk::Widget& widget) {
  auto* native = widget.get_native();
  if (!native) return std::nullopt;
  graphene_rect_t bounds;
  if (!gtk_widget_compute_bounds(widget.gobj(), GTK_WIDGET(native->gobj()), &bounds)) return std::nullopt;
  return bounds;
}

bool samePlace(const std::optional<graphene_rect_t>& a, const std::optional<graphene_rect_t>& b) {
  return a && b && graphene_rect_equal(&*a, &*b);
}

// Whether the pointer can reach it: neither it nor a widget around it refuses pointer
// events (as the part of the window under a sheet does).
bool targetable(Gtk::Widget& widget) {
  for (Gtk::Widget* at = &widget; at; at = at->get_parent())
    if (!at->get_can_target()) return false;
  return true;
}

std::string where(const std::source_location& location) {
  std::string file = location.file_name();
  if (const auto tests = file.rfind("/tests/"); tests != std::string::npos) file = file.substr(tests + 1);
  return file + ":" + std::to_string(location.line());
}

std::string words(Gtk::Widget& widget) {
  if (auto* button = dynamic_cast<Gtk::Button*>(&widget); button && !button->get_label().empty())
    return button->get_label();
  if (auto* check = dynamic_cast<Gtk::CheckButton*>(&widget); check && !check->get_label().empty())
    return check->get_label();
  if (auto* label = dynamic_cast<Gtk::Label*>(&widget)) return label->get_text();
  if (GTK_IS_EDITABLE(widget.gobj())) return gtk_editable_get_text(GTK_EDITABLE(widget.gobj()));
  if (g_object_class_find_property(G_OBJECT_GET_CLASS(widget.gobj()), "text")) {
    gchar* text = nullptr;
    g_object_get(widget.gobj(), "text", &text, nullptr);
    std::string shown = text ? text : "";
    g_free(text);
    if (!shown.empty()) return shown;
  }
  return widget.get_has_tooltip() ? std::string(widget.get_tooltip_text()) : std::string();
}

}  // namespace

std::string unmetConditions(Gtk::Widget& widget, Readiness readiness) {
  std::vector<std::string> unmet;
  if (!widget.get_mapped()) unmet.emplace_back("not mapped");
  if (!widget.is_drawable()) unmet.emplace_back("not drawable");
  if (widget.get_width() <= 0 || widget.get_height() <= 0) unmet.emplace_back("no size");
  if (readiness == Readiness::usable && !widget.is_sensitive()) unmet.emplace_back("not sensitive");
  if (readiness == Readiness::usable && !targetable(widget)) unmet.emplace_back("under a modal layer");
  if (readiness == Readiness::disabled && widget.is_sensitive()) unmet.emplace_back("still sensitive");
  std::string text;
  for (const auto& condition : unmet) text += (text.empty() ? "" : ", ") + condition;
  return text;
}

std::optional<std::string> waitUntilReady(Gtk::Widget& widget, Readiness readiness,
                                          std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + scaled(deadline);
  std::string missing;
  do {
    if (!runUntilAt([&] { return unmetConditions(widget, readiness).empty(); }, end))
      return unmetConditions(widget, readiness);
    // Then a whole frame drawn with the widget as it is now.
    const auto before = place(widget);
    if (!waitForNextFrame(widget, end)) return "no frame drawn since it showed";
    missing = unmetConditions(widget, readiness);
    if (missing.empty() && samePlace(before, place(widget))) return std::nullopt;
    if (missing.empty()) missing = "still moving";
  } while (std::chrono::steady_clock::now() < end);
  return missing;
}

void requireReady(Gtk::Widget& widget, Readiness readiness, const std::string& action,
                  const std::source_location& where) {
  constexpr auto deadline = std::chrono::seconds(10);
  if (const auto missing = waitUntilReady(widget, readiness, deadline)) {
    std::ostringstream message;
    message << describe(widget) << " was not ready for " << action << " after "
            << std::chrono::duration_cast<std::chrono::seconds>(scaled(deadline)).count() << " s: " << *missing;
    failStep(where, message.str());
  }
}

std::string describe(Gtk::Widget& widget) {
  std::string name = G_OBJECT_TYPE_NAME(widget.gobj());
  if (const auto shown = words(widget); !shown.empty()) return name + " \"" + shown + "\"";
  if (auto* parent = widget.get_parent()) return name + " in " + describe(*parent);
  return name;
}

void failStep(const std::source_location& location, const std::string& message) {
  throw std::runtime_error(where(location) + ": " + message);
}

}  // namespace vesk::testing
