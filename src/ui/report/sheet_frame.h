#pragma once
// The frame of a report sheet: a vertical stack padded by `margin` on every side and framed
// to a fixed width, and to a fixed height when one is given (else its natural height for
// that width). Content wider or taller than the frame never widens the sheet: it is laid
// out within it.
#include <gtkmm/box.h>

#include <optional>

namespace vesk::ui {

class SheetFrame : public Gtk::Widget {
 public:
  SheetFrame(int width, std::optional<int> height, int margin, int spacing);
  ~SheetFrame() override;

  void append(Gtk::Widget& child) { stack_.append(child); }
  Gtk::Box& stack() { return stack_; }

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  int width_;
  std::optional<int> height_;
  Gtk::Box stack_;
};

}  // namespace vesk::ui
