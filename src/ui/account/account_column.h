#pragma once
// The account page's column: at most 720 wide plus 32 on either side, centred in the
// space offered; below the window header by the larger of the header inset + 32 and 144,
// with 96 below the content.
#include <gtkmm/widget.h>

namespace vesk::ui {

class AccountColumn : public Gtk::Widget {
 public:
  static constexpr int widest = 720;
  static constexpr int sidePadding = 32;
  static constexpr int bottomPadding = 96;

  // `child` becomes the column's (make it managed or keep it alive).
  explicit AccountColumn(Gtk::Widget& child);
  ~AccountColumn() override;

  int topPadding() const;

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  int columnWidth(int width) const;
  void release();

  Gtk::Widget* child_;
};

}  // namespace vesk::ui
