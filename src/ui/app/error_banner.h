#pragma once
// The message of a failure that has no screen of its own, under the header row: the text
// (which the user can select and copy) and a button that dismisses it.
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <functional>
#include <optional>
#include <string>

namespace vesk::ui {

class ErrorBanner : public Gtk::Box {
 public:
  static constexpr const char* dismissLabel = "Dismiss message";

  explicit ErrorBanner(std::function<void()> dismiss);

  // Shows the text (plain, never markup), or hides the banner without one.
  void show(const std::optional<std::string>& text);

  Gtk::Label& text() { return *text_; }
  Gtk::Button& dismissButton() { return *dismiss_; }

 private:
  // Managed, owned by the banner.
  Gtk::Label* text_;
  Gtk::Button* dismiss_;
};

}  // namespace vesk::ui
