#pragma once
// A tooltip whose text is read only when it is about to show. Setting a widget's tooltip
// text makes the toolkit ask the display where the pointer is, at once; a list that binds
// hundreds of rows as it scrolls or loads would ask hundreds of times. Here binding only
// keeps the text.
#include <gtkmm/widget.h>

#include <string>

namespace vesk::ui {

class LazyTooltip {
 public:
  // `widget` shows the tooltip; it must not outlive this.
  explicit LazyTooltip(Gtk::Widget& widget);
  LazyTooltip(const LazyTooltip&) = delete;
  LazyTooltip& operator=(const LazyTooltip&) = delete;

  // No tooltip while the text is empty.
  void setText(std::string text) { text_ = std::move(text); }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace vesk::ui
