#include "window/account_window.h"

#include "support/run_loop.h"
#include "ui/account/account_column.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/app/sheet_layer.h"
#include "ui/style/vesk_sheet_surface.h"
#include "ui/support/next_frame.h"
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
  runPending();
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

void AccountWindow::settle() { settleFrame(*window_); }

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

void AccountWindow::click(Gtk::Widget& widget, const SyntheticInput::Where& where) {
  reveal(widget);
  SyntheticInput::clickCentre(widget, where);
  settle();
}

void AccountWindow::clickAt(Gtk::Widget& widget, double x, double y, const SyntheticInput::Where& where) {
  reveal(widget);
  SyntheticInput::click(widget, x, y, where);
  settle();
}

void AccountWindow::press(const std::string& keysym, const SyntheticInput::Where& where) {
  pressChord({keysym}, where);
}

void AccountWindow::pressChord(const std::vector<std::string>& chord, const SyntheticInput::Where& where) {
  SyntheticInput::pressChord(chord, where);
  settle();
}

void AccountWindow::type(Gtk::Widget& field, const std::string& text, const SyntheticInput::Where& where) {
  SyntheticInput::typeInto(field, text, where);
  settle();
}

Gtk::Widget* sheetContent(ui::RootView& root) {
  auto* surface = dynamic_cast<ui::VeskSheetSurface*>(root.sheets().topSurface());
  return surface ? surface->get_child() : nullptr;
}

}  // namespace vesk::testing
