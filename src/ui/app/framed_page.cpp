#include "ui/app/framed_page.h"

#include "core/shell/page_frame_layout.h"

#include <gtkmm/binlayout.h>

namespace vesk::ui {

FramedPage::FramedPage(std::unique_ptr<Gtk::Widget> content)
    : content_(std::move(content)),
      frame_(*content_),
      veil_(PageFrameLayout::bottomVeilHeight, true, PageFrameLayout::bottomVeilOpaqueFraction) {
  set_layout_manager(Gtk::BinLayout::create());
  set_hexpand(true);
  set_vexpand(true);
  scroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller_.set_child(frame_);
  veil_.set_valign(Gtk::Align::END);
  overlay_.set_child(scroller_);
  overlay_.add_overlay(veil_);
  overlay_.set_parent(*this);
}

FramedPage::~FramedPage() {
  overlay_.unparent();
  overlay_.remove_overlay(veil_);
  overlay_.unset_child();
  scroller_.unset_child();
  frame_.column().remove(*content_);
}

}  // namespace vesk::ui
