#include "end_to_end/running_application.h"

#include "core/platform/object_ptr.h"
#include "core/signin/browser_connection.h"
#include "support/fake_browser.h"
#include "support/run_loop.h"
#include "ui/app/sign_in_desktop.h"
#include "ui/support/synthetic_input.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace vesk::testing {

namespace {

// The port of the origin this build talks to: the demo must listen there.
std::uint16_t buildOriginPort() {
  const std::string origin = VESK_END_TO_END_ORIGIN;
  const auto colon = origin.rfind(':');
  if (colon == std::string::npos || origin.find("127.0.0.1") == std::string::npos)
    throw std::runtime_error("the test build must talk to a loopback origin with a port: " + origin);
  return static_cast<std::uint16_t>(std::stoi(origin.substr(colon + 1)));
}

}  // namespace

bool LaunchingBrowser::open(const std::string& address) {
  visits_.push_back(async::spawn(visit(this, address)));
  return true;
}

bool LaunchingBrowser::idle() const {
  if (running_ > 0) return false;
  for (const auto& visit : visits_)
    if (!visit.isDone()) return false;
  return true;
}

async::Task<void> LaunchingBrowser::visit(LaunchingBrowser* browser, std::string address) {
  const std::string callback = co_await followToCallback(std::move(address));
  std::vector<std::string> arguments = {VESK_APP_BINARY, callback};
  std::vector<char*> argv = {arguments[0].data(), arguments[1].data(), nullptr};
  GPid pid = 0;
  glib::ErrorSlot error;
  if (!g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, &pid, error.out())) {
    ++browser->failed_;
    ADD_FAILURE() << "cannot launch the application a second time: " << error.message();
    co_return;
  }
  ++browser->running_;
  g_child_watch_add(
      pid,
      [](GPid child, gint status, gpointer data) {
        auto* self = static_cast<LaunchingBrowser*>(data);
        --self->running_;
        if (!g_spawn_check_wait_status(status, nullptr)) ++self->failed_;
        g_spawn_close_pid(child);
      },
      browser);
}

RunningApplication::RunningApplication(double pace) : service_(buildOriginPort()) {
  demo::DemoOptions options;
  options.pace = pace;
  options.log = [this](const std::string& line) { log_.push_back(line); };
  demo_ = std::make_unique<demo::DemoService>(service_, std::move(options));

  auto connection = BrowserConnection::create(&ui::signInAnchor,
                                              [this](const std::string& address) { return browser_.open(address); });
  application_ = ui::VeskApplication::create([] { return std::optional<ResourceBundle>(VESK_TEST_RESOURCE_DIR); },
                                             std::move(connection));
  if (!application_->register_application()) throw std::runtime_error("the application did not register");
  application_->activate();
  for (auto* window : application_->get_windows())
    if (auto* vesk = dynamic_cast<ui::VeskWindow*>(window)) window_ = vesk;
  if (!window_) throw std::runtime_error("the application showed no window");
  if (!runUntil([&] { return root().get_mapped() && root().get_width() > 0; }))
    throw std::runtime_error("the window never showed its content");
  // Without a window manager the keyboard follows the pointer: rest it in the window.
  SyntheticInput::moveTo(root(), root().get_width() / 2.0, root().get_height() - 8.0);
  if (!runUntil([&] { return window_->is_active(); })) throw std::runtime_error("the window never took the keyboard");
}

RunningApplication::~RunningApplication() {
  runUntil([&] { return browser_.idle(); });
  EXPECT_EQ(browser_.failedLaunches(), 0) << "a second launch failed";
  if (window_) window_->close();
  application_.reset();
  runPending();
}

}  // namespace vesk::testing
