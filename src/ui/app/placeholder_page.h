#pragma once
// A screen that shows only its title: it holds a screen's place in the window until the
// screen itself is built. It starts below the window header as the real screen will: the
// report and account screens at the header inset, the library at its top (the root pads
// the library), and a page screen's content column, which the page frame places, with
// no padding at all.
#include <gtkmm/label.h>
#include <gtkmm/widget.h>

namespace vesk::ui {

class PlaceholderPage : public Gtk::Widget {
 public:
  enum class Start { column, headerInset, top };
  // How far the title sits from the leading edge.
  static constexpr int leadingPadding = 40;

  PlaceholderPage(const Glib::ustring& title, Start start);
  ~PlaceholderPage() override;

  Gtk::Label& title() { return title_; }
  // The distance from the top edge to the title, from the header inset handed down.
  int topPadding() const;
  int sidePadding() const { return start_ == Start::column ? 0 : leadingPadding; }

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  Gtk::Label title_;
  Start start_;
};

}  // namespace vesk::ui
