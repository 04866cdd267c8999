#pragma once
// The application window over a workspace of the workspace harness (the loopback fake
// service with its settings routes, its own keyring, a save panel that answers with the
// test's path), shown at its default size and driven with real pointer and keyboard
// input. Links the window opens are recorded instead of opened.
#include "fake_service/fake_settings.h"
#include "support/workspace_harness.h"
#include "ui/account/account_view.h"
#include "ui/app/vesk_window.h"
#include "ui/support/synthetic_input.h"

#include <memory>
#include <string>
#include <vector>

namespace vesk::testing {

class AccountWindow {
 public:
  enum class Start { signedOut, signedIn };
  explicit AccountWindow(Start start);
  ~AccountWindow();
  AccountWindow(const AccountWindow&) = delete;
  AccountWindow& operator=(const AccountWindow&) = delete;

  WorkspaceHarness h;
  FakeSettings settings{h.service, "token-1"};

  Workspace& workspace() { return *workspace_; }
  ui::VeskWindow& window() { return *window_; }
  ui::RootView& root();
  const std::vector<std::string>& opened() const { return opened_; }

  // Shows the account screen and returns its view.
  ui::AccountView& showAccount();
  ui::AccountView& view();
  // The sheet's content on top, of type T, or nullptr.
  template <class T>
  T* topSheet();

  void settle();
  // Scrolls `widget` into the middle of the account page, then clicks its centre (or a
  // point of it) once it can be used.
  void click(Gtk::Widget& widget, const SyntheticInput::Where& where = SyntheticInput::Where::current());
  void clickAt(Gtk::Widget& widget, double x, double y,
               const SyntheticInput::Where& where = SyntheticInput::Where::current());
  void press(const std::string& keysym, const SyntheticInput::Where& where = SyntheticInput::Where::current());
  void pressChord(const std::vector<std::string>& chord,
                  const SyntheticInput::Where& where = SyntheticInput::Where::current());
  // Types into `field` once it has the keyboard focus.
  void type(Gtk::Widget& field, const std::string& text,
            const SyntheticInput::Where& where = SyntheticInput::Where::current());
  // Waits until `done` holds, settling the window after.
  bool waitFor(const std::function<bool()>& done);

 private:
  void reveal(Gtk::Widget& widget);

  std::shared_ptr<Workspace> workspace_;
  std::unique_ptr<ui::VeskWindow> window_;
  std::vector<std::string> opened_;
};

Gtk::Widget* sheetContent(ui::RootView& root);

template <class T>
T* AccountWindow::topSheet() {
  return dynamic_cast<T*>(sheetContent(root()));
}

}  // namespace vesk::testing
