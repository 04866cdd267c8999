#pragma once
// The frame a page screen's content sits in (see PageFrameLayout): a vertical column
// with 24 between its items, at most 790 wide and centred, starting below the header
// inset handed down from the root.
#include <gtkmm/box.h>
#include <gtkmm/widget.h>

namespace vesk::ui {

class PageFrame : public Gtk::Widget {
 public:
  // `content` is the screen's column of items; the frame keeps it for its lifetime.
  explicit PageFrame(Gtk::Widget& content);
  ~PageFrame() override;

  Gtk::Box& column() { return column_; }
  // The distance from the top edge to the column, from the header inset.
  int topPadding() const;

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  Gtk::Box column_;
};

}  // namespace vesk::ui
