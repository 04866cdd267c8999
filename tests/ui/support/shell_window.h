#pragma once
// The application window as the screen tests drive it: shown at its default size over a
// workspace of its own (the fake service's origin, a private folder, no saved session
// read), with the Help links recorded instead of opened and the file panel answered by
// the test.
#include "core/workspace/workspace.h"
#include "fake_service/fake_service.h"
#include "ui/app/file_panel.h"
#include "ui/app/vesk_window.h"
#include "ui/support/synthetic_input.h"

#include <gtkmm/widget.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::testing {

// Answers with the test's files (nothing: the user cancelled) or fails with a sentence.
class AnsweringFilePanel : public ui::FilePanel {
 public:
  std::optional<std::vector<std::string>> answer;
  std::optional<std::string> failure;
  int shown = 0;
  async::Task<std::optional<std::vector<std::string>>> chooseAuditFiles(Gtk::Window* parent) override;
};

class ShellWindow {
 public:
  // Over a workspace of its own, or over `workspace` (one signed in to a service).
  explicit ShellWindow(std::shared_ptr<Workspace> workspace = nullptr);
  ~ShellWindow();
  ShellWindow(const ShellWindow&) = delete;
  ShellWindow& operator=(const ShellWindow&) = delete;

  ui::VeskWindow& window() { return *window_; }
  ui::RootView& root();
  Workspace& workspace() { return *workspace_; }
  // Addresses the Help menu opened, in order.
  const std::vector<std::string>& opened() const { return opened_; }
  AnsweringFilePanel& files() { return *files_; }
  // A folder of the test's own, removed with the window.
  const std::string& folder() const { return folder_; }

  // Runs the loop until the presentation has caught up with the workspace and a frame
  // has been laid out.
  void settle();
  // Real input (see SyntheticInput) that returns once the window, or the open menu, has
  // handled it; a click waits for its widget to show and be usable first.
  void press(const std::string& keysymName, const SyntheticInput::Where& where = SyntheticInput::Where::current());
  void pressChord(const std::vector<std::string>& chord,
                  const SyntheticInput::Where& where = SyntheticInput::Where::current());
  void click(Gtk::Widget& widget, double x, double y,
             const SyntheticInput::Where& where = SyntheticInput::Where::current());
  void clickCentre(Gtk::Widget& widget, const SyntheticInput::Where& where = SyntheticInput::Where::current());
  // Clicks the centre of a widget that the test expects to show disabled.
  void clickDisabled(Gtk::Widget& widget, const SyntheticInput::Where& where = SyntheticInput::Where::current());

  // Clicks the primary menu's button and waits for its popover.
  Gtk::Widget& openMenu(const SyntheticInput::Where& where = SyntheticInput::Where::current());
  // The item of the open menu with this label, or nullptr.
  Gtk::Widget* menuItem(const std::string& label);
  // Clicks the open menu's item with this label once it can be used.
  void clickMenuItem(const std::string& label, const SyntheticInput::Where& where = SyntheticInput::Where::current());

 private:
  void makeWorkspace();

  FakeService service_;
  std::string folder_;
  std::vector<std::string> opened_;
  std::shared_ptr<AnsweringFilePanel> files_ = std::make_shared<AnsweringFilePanel>();
  std::shared_ptr<Workspace> workspace_;
  std::unique_ptr<ui::VeskWindow> window_;
};

// Every descendant of `widget` (depth first, in child order) of which `match` holds.
std::vector<Gtk::Widget*> descendants(Gtk::Widget& widget, const std::function<bool(Gtk::Widget&)>& match);

}  // namespace vesk::testing
