#include "ui/support/shell_window.h"

#include "core/records/vesk_error.h"
#include "core/signin/browser_connection.h"
#include "core/signin/session_keychain.h"
#include "core/workspace/uuid_text.h"
#include "support/run_loop.h"
#include "support/workspace_harness.h"
#include "ui/app/header_band.h"
#include "ui/app/root_view.h"
#include "ui/support/next_frame.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"
#include "ui/support/widget_readiness.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <gtkmm/popover.h>

#include <filesystem>
#include <stdexcept>

namespace vesk::testing {

async::Task<std::optional<std::vector<std::string>>> AnsweringFilePanel::chooseAuditFiles(Gtk::Window*) {
  ++shown;
  if (failure) throw VeskError(*failure);
  co_return answer;
}

ShellWindow::ShellWindow(std::shared_ptr<Workspace> workspace) : workspace_(std::move(workspace)) {
  glib::ErrorSlot error;
  glib::GFreePtr<char> made(g_dir_make_tmp("vesk-shell-XXXXXX", error.out()));
  if (!made) throw std::runtime_error(error.message());
  folder_ = made.get();
  if (!workspace_) makeWorkspace();

  ui::ShellServices services;
  services.openLink = [this](const std::string& address) { opened_.push_back(address); };
  services.filePanel = files_;
  services.readerPage = testResources().file(ui::readerPageFile);
  window_ = std::make_unique<ui::VeskWindow>(workspace_, std::move(services));
  window_->present();
  const bool shown = runUntil([&] { return root().get_mapped() && root().get_width() > 0; });
  EXPECT_TRUE(shown) << "the window never showed its content";
  // Without a window manager the keyboard goes to the window under the pointer: rest it
  // on the bare canvas under the main column.
  SyntheticInput::moveTo(root(), root().get_width() / 2.0, root().get_height() - 8.0);
  EXPECT_TRUE(runUntil([&] { return window_->is_active(); })) << "the window never took the keyboard";
  settle();
}

void ShellWindow::makeWorkspace() {
  Workspace::Environment environment;
  environment.serviceOrigin = service_.origin();
  environment.supportFolder = folder_ + "/Vesk";
  // Never read or written: the workspace restores no session and signs nobody in.
  environment.keychain = std::make_shared<SessionKeychain>("vesk-shell-test-" + freshUUID());
  environment.browser = BrowserConnection::create([] { return std::make_shared<TestAnchor>(); },
                                                  [](const std::string&) { return false; });
  environment.saveDialog = std::make_shared<FakeSaveDialog>();
  workspace_ = Workspace::create(std::move(environment), Workspace::SavedSession::ignore);
}

ShellWindow::~ShellWindow() {
  window_.reset();
  runPending();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

ui::RootView& ShellWindow::root() { return window_->root(); }

void ShellWindow::settle() { settleFrame(*window_); }

void ShellWindow::press(const std::string& keysymName, const SyntheticInput::Where& where) {
  SyntheticInput::pressKey(keysymName, where);
}

// Shortcuts act on the key press; once the last press has been dispatched, they have run.
void ShellWindow::pressChord(const std::vector<std::string>& chord, const SyntheticInput::Where& where) {
  SyntheticInput::pressChord(chord, where);
}

void ShellWindow::click(Gtk::Widget& widget, double x, double y, const SyntheticInput::Where& where) {
  SyntheticInput::click(widget, x, y, where);
}

void ShellWindow::clickCentre(Gtk::Widget& widget, const SyntheticInput::Where& where) {
  SyntheticInput::clickCentre(widget, where);
}

void ShellWindow::clickDisabled(Gtk::Widget& widget, const SyntheticInput::Where& where) {
  SyntheticInput::clickDisabled(widget, where);
}

Gtk::Widget& ShellWindow::openMenu(const SyntheticInput::Where& where) {
  auto& button = root().header().menuButton();
  clickCentre(button, where);
  auto* popover = button.get_popover();
  if (!popover || !runUntil([&] { return popover->get_mapped(); })) failStep(where, "the menu did not open");
  return *popover;
}

Gtk::Widget* ShellWindow::menuItem(const std::string& label) {
  auto* popover = root().header().menuButton().get_popover();
  return popover ? vesk::testing::menuItem(*popover, label) : nullptr;
}

void ShellWindow::clickMenuItem(const std::string& label, const SyntheticInput::Where& where) {
  auto* popover = root().header().menuButton().get_popover();
  if (!popover) failStep(where, "no menu is open");
  SyntheticInput::clickMenuItem(*popover, label, where);
  settle();
}

std::vector<Gtk::Widget*> descendants(Gtk::Widget& widget, const std::function<bool(Gtk::Widget&)>& match) {
  std::vector<Gtk::Widget*> found;
  for (Gtk::Widget* child = widget.get_first_child(); child; child = child->get_next_sibling()) {
    if (match(*child)) found.push_back(child);
    for (Gtk::Widget* inner : descendants(*child, match)) found.push_back(inner);
  }
  return found;
}

}  // namespace vesk::testing
