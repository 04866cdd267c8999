#pragma once
// A page screen as the screen switch shows it: the screen's content column in the page
// frame, in a vertical scroll view under the 32-high bottom veil. Owns the content.
#include "ui/app/page_frame.h"
#include "ui/style/vesk_scroll_veil.h"

#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/widget.h>

#include <memory>

namespace vesk::ui {

class FramedPage : public Gtk::Widget {
 public:
  explicit FramedPage(std::unique_ptr<Gtk::Widget> content);
  ~FramedPage() override;

  Gtk::Widget& content() { return *content_; }
  PageFrame& frame() { return frame_; }
  Gtk::ScrolledWindow& scroller() { return scroller_; }
  VeskScrollVeil& bottomVeil() { return veil_; }

 private:
  std::unique_ptr<Gtk::Widget> content_;
  PageFrame frame_;
  Gtk::ScrolledWindow scroller_;
  VeskScrollVeil veil_;
  Gtk::Overlay overlay_;
};

}  // namespace vesk::ui
