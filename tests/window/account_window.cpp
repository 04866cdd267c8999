#include "window/account_window.h"

#include "support/run_loop.h"
#include "ui/account/account_column.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/app/sheet_layer.h"
#include "ui/style/vesk_sheet_surface.h"
#include "ui/support/synthetic_input.h"

#include <gtest/gtest.h>
#include <gtkmm/adjustment.h>

namespace vesk::testing {

AccountWindow::AccountWindow(Start start) {
  if (start == Start::signedIn) {
    workspace_ = h.signedIn();
  } else {
    workspace_ = Workspace::create(h.environment(), Workspace::SavedSession::ignore);
  }
  ui::ShellServices services;
  services.openLink = [this](const std::string& address) { opened_.push_back(address); };
  window_ = std::make_unique<ui::VeskWindow>(workspace_, std::move(services));
  window_->present();
  EXPECT_TRUE(runUntil([&] { return root().get_mapped() && root().get_width() > 0; }));
  SyntheticInput::moveTo(root(), root().get_width() / 2.0, root().get_height() - 8.0);
  EXPECT_TRUE(runUntil([&] { return window_->is_active(); })) << "the window never took the keyboard";
  settle();
}

AccountWindow::~AccountWindow() {
  window_.reset();
  runFor(std::chrono::milliseconds(20));
}

ui::RootView& AccountWindow::root() { return window_->root(); }

ui::AccountView& AccountWindow::showAccount() {
  workspace_->screen = Screen::account;
  settle();
  return view();
}

ui::AccountView& AccountWindow::view() {
  auto* view = dynamic_cast<ui::AccountView*>(root().screenSlot().page());
  if (!view) throw std::runtime_error("the account screen is not shown");
  return *view;
}

void AccountWindow::settle() {
  runFor(std::chrono::milliseconds(40));
  GdkFrameClock* clock = gtk_widget_get_frame_clock(GTK_WIDGET(window_->gobj()));
  if (!clock) return;
  bool painted = false;
  const auto afterPaint = +[](GdkFrameClock*, gpointer data) { *static_cast<bool*>(data) = true; };
  const gulong handler = g_signal_connect(clock, "after-paint", G_CALLBACK(afterPaint), &painted);
  window_->queue_draw();
  EXPECT_TRUE(runUntil([&] { return painted; })) << "no frame was drawn";
  g_signal_handler_disconnect(clock, handler);
}

bool AccountWindow::waitFor(const std::function<bool()>& done) {
  const bool held = runUntil(done);
  settle();
  return held;
}

// Only widgets of the account page scroll; a sheet's controls are always in view.
void AccountWindow::reveal(Gtk::Widget& widget) {
  auto* page = dynamic_cast<ui::AccountView*>(root().screenSlot().page());
  if (!page || !widget.is_ancestor(page->column())) return;
  double x = 0, y = 0;
  if (!widget.translate_coordinates(page->column(), 0, 0, x, y)) return;
  const auto adjustment = page->scroller().get_vadjustment();
  adjustment->set_value(std::max(0.0, y - adjustment->get_page_size() / 2));
  settle();
}

void AccountWindow::click(Gtk::Widget& widget) {
  reveal(widget);
  clickAt(widget, widget.get_width() / 2.0, widget.get_height() / 2.0);
}

void AccountWindow::clickAt(Gtk::Widget& widget, double x, double y) {
  reveal(widget);
  SyntheticInput::click(widget, x, y);
  runFor(std::chrono::milliseconds(30));
  settle();
}

void AccountWindow::press(const std::string& keysym) { pressChord({keysym}); }

void AccountWindow::pressChord(const std::vector<std::string>& chord) {
  SyntheticInput::pressChord(chord);
  runFor(std::chrono::milliseconds(40));
  settle();
}

void AccountWindow::type(const std::string& text) {
  SyntheticInput::type(text);
  runFor(std::chrono::milliseconds(60));
  settle();
}

Gtk::Widget* sheetContent(ui::RootView& root) {
  auto* surface = dynamic_cast<ui::VeskSheetSurface*>(root.sheets().topSurface());
  return surface ? surface->get_child() : nullptr;
}

}  // namespace vesk::testing
