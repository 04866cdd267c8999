#pragma once
// The application window as the screen tests drive it: shown at its default size over a
// workspace of its own (the fake service's origin, a private folder, no saved session
// read), with the Help links recorded instead of opened and the file panel answered by
// the test.
#include "core/workspace/workspace.h"
#include "fake_service/fake_service.h"
#include "ui/app/file_panel.h"
#include "ui/app/vesk_window.h"

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
  // Real input that returns once the window (or the open menu) has handled it: the last
  // key's press, or the button's release, has been dispatched.
  void press(const std::string& keysymName);
  void pressChord(const std::vector<std::string>& chord);
  void click(Gtk::Widget& widget, double x, double y);
  void clickCentre(Gtk::Widget& widget) { click(widget, widget.get_width() / 2.0, widget.get_height() / 2.0); }

  // Clicks the primary menu's button and waits for its popover.
  Gtk::Widget& openMenu();
  // The item of the open menu with this label, or nullptr.
  Gtk::Widget* menuItem(const std::string& label);
  // Clicks the open menu's item with this label.
  void clickMenuItem(const std::string& label);

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
