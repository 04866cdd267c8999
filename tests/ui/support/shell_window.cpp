#include "ui/support/shell_window.h"

#include "core/records/vesk_error.h"
#include "core/signin/browser_connection.h"
#include "core/signin/session_keychain.h"
#include "core/workspace/uuid_text.h"
#include "support/run_loop.h"
#include "support/workspace_harness.h"
#include "ui/app/header_band.h"
#include "ui/app/root_view.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <gtkmm/eventcontrollerlegacy.h>
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
  runFor(std::chrono::milliseconds(20));
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

ui::RootView& ShellWindow::root() { return window_->root(); }

void ShellWindow::settle() {
  runFor(std::chrono::milliseconds(40));  // the presentation's changes of this turn, and the next
  // Then a whole frame: everything they changed is laid out and drawn.
  GdkFrameClock* clock = gtk_widget_get_frame_clock(GTK_WIDGET(window_->gobj()));
  if (!clock) return;
  bool painted = false;
  const auto afterPaint = +[](GdkFrameClock*, gpointer data) { *static_cast<bool*>(data) = true; };
  const gulong handler = g_signal_connect(clock, "after-paint", G_CALLBACK(afterPaint), &painted);
  window_->queue_draw();
  EXPECT_TRUE(runUntil([&] { return painted; })) << "no frame was drawn";
  g_signal_handler_disconnect(clock, handler);
}

namespace {

// Counts the events of one type that reach `native` (a window or a popover), before any
// of its widgets handles them.
class EventWitness {
 public:
  EventWitness(Gtk::Widget& native, Gdk::Event::Type type) : native_(native) {
    controller_ = Gtk::EventControllerLegacy::create();
    controller_->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    controller_->signal_event().connect(
        [this, type](const Glib::RefPtr<const Gdk::Event>& event) {
          if (event->get_event_type() == type) ++count;
          return false;
        },
        false);
    native_.add_controller(controller_);
  }
  ~EventWitness() { native_.remove_controller(controller_); }
  int count = 0;

 private:
  Gtk::Widget& native_;
  Glib::RefPtr<Gtk::EventControllerLegacy> controller_;
};

}  // namespace

void ShellWindow::press(const std::string& keysymName) { pressChord({keysymName}); }

// Shortcuts act on the key press; once the last press has been dispatched, they have run.
void ShellWindow::pressChord(const std::vector<std::string>& chord) {
  auto* popover = root().header().menuButton().get_popover();
  Gtk::Widget& keyboard = popover && popover->get_visible() ? static_cast<Gtk::Widget&>(*popover) : *window_;
  EventWitness presses(keyboard, Gdk::Event::Type::KEY_PRESS);
  SyntheticInput::pressChord(chord);
  EXPECT_TRUE(runUntil([&] { return presses.count >= static_cast<int>(chord.size()); }))
      << "the window never saw the keys";
}

void ShellWindow::click(Gtk::Widget& widget, double x, double y) {
  auto* native = dynamic_cast<Gtk::Widget*>(widget.get_native());
  ASSERT_NE(native, nullptr) << "the widget is not shown";
  EventWitness releases(*native, Gdk::Event::Type::BUTTON_RELEASE);
  SyntheticInput::click(widget, x, y);
  EXPECT_TRUE(runUntil([&] { return releases.count > 0; })) << "the window never saw the click";
}

Gtk::Widget& ShellWindow::openMenu() {
  auto& button = root().header().menuButton();
  clickCentre(button);
  auto* popover = button.get_popover();
  EXPECT_TRUE(popover && runUntil([&] { return popover->get_mapped(); })) << "the menu did not open";
  runFor(std::chrono::milliseconds(60));
  return *popover;
}

Gtk::Widget* ShellWindow::menuItem(const std::string& label) {
  auto* popover = root().header().menuButton().get_popover();
  if (!popover) return nullptr;
  const auto items = descendants(*popover, [&](Gtk::Widget& widget) {
    if (std::string(G_OBJECT_TYPE_NAME(widget.gobj())) != "GtkModelButton") return false;
    gchar* text = nullptr;
    g_object_get(widget.gobj(), "text", &text, nullptr);
    const bool same = text && label == text;
    g_free(text);
    return same;
  });
  return items.empty() ? nullptr : items.front();
}

void ShellWindow::clickMenuItem(const std::string& label) {
  Gtk::Widget* item = menuItem(label);
  ASSERT_NE(item, nullptr) << label;
  clickCentre(*item);
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
