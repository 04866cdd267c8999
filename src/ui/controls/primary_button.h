#pragma once
// A pill button of a title and a symbol, not compact, in a given role: the buttons
// that start a run.
#include "core/style/vesk_button_role.h"

#include <gtkmm/button.h>

#include <functional>
#include <string>

namespace vesk::ui {

class PrimaryButton : public Gtk::Button {
 public:
  static constexpr int symbolSize = 16;
  static constexpr int spacing = 8;  // between the symbol and the title

  PrimaryButton(const Glib::ustring& title, std::string symbol, bool disabled, VeskButtonRole role,
                std::function<void()> action);

  const Glib::ustring& title() const { return title_; }
  const std::string& symbol() const { return symbol_; }
  VeskButtonRole role() const { return role_; }

 private:
  Glib::ustring title_;
  std::string symbol_;
  VeskButtonRole role_;
};

}  // namespace vesk::ui
