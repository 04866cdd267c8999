#pragma once
// The account menu inside its popover: the pricing item, "About Vesk" and, after a
// failed billing request, its sentence. Up and Down move the keyboard focus between the
// two items and wrap around; Escape dismisses the menu.
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <functional>
#include <optional>
#include <string>

namespace vesk::ui {

class AccountMenu : public Gtk::Box {
 public:
  struct Actions {
    std::function<void()> pricing;
    std::function<void()> about;
    std::function<void()> dismiss;
  };

  explicit AccountMenu(Actions actions);

  // Item 0 is disabled while a billing request runs.
  void show(const std::string& pricingLabel, bool loading, const std::optional<std::string>& error);
  // Puts the keyboard focus on the pricing item (done whenever the menu is shown).
  void focusFirst();

  Gtk::Button& item(int index) { return index == 0 ? *pricing_ : *about_; }
  const Gtk::Label& error() const { return *error_; }
  // The item that has the keyboard focus, if any.
  std::optional<int> focusedIndex() const;

 private:
  bool keyPressed(guint keyval);
  Gtk::Button* makeItem(const std::string& title, std::function<void()> action);

  Actions actions_;
  Gtk::Button* pricing_ = nullptr;  // managed, owned by the menu
  Gtk::Button* about_ = nullptr;
  Gtk::Label* error_ = nullptr;
};

}  // namespace vesk::ui
