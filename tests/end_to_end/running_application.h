#pragma once
// The real application, as a user starts it, beside the loopback demo service: the
// application object with its own workspace, saved session and keyring, on the service
// origin the build was made for. The browser is played by a launcher that fetches the
// sign-in page over HTTP, follows its redirects and launches the application binary a
// second time with the callback address, as the desktop would.
#include "core/async/spawn.h"
#include "demo_service/demo_service.h"
#include "fake_service/fake_service.h"
#include "ui/app/root_view.h"
#include "ui/app/vesk_application.h"
#include "ui/app/vesk_window.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::testing {

class LaunchingBrowser {
 public:
  bool open(const std::string& address);
  bool idle() const;
  // Second launches that failed or never found the running instance.
  int failedLaunches() const { return failed_; }

 private:
  static async::Task<void> visit(LaunchingBrowser* browser, std::string address);
  std::vector<async::TaskHandle<void>> visits_;
  int running_ = 0;
  int failed_ = 0;
};

class RunningApplication {
 public:
  explicit RunningApplication(double pace);
  ~RunningApplication();
  RunningApplication(const RunningApplication&) = delete;
  RunningApplication& operator=(const RunningApplication&) = delete;

  ui::VeskWindow& window() { return *window_; }
  ui::RootView& root() { return window_->root(); }
  Workspace& workspace() { return *application_->workspace(); }
  demo::DemoService& demo() { return *demo_; }
  const std::vector<std::string>& demoLog() const { return log_; }

 private:
  std::vector<std::string> log_;
  FakeService service_;
  std::unique_ptr<demo::DemoService> demo_;
  LaunchingBrowser browser_;
  Glib::RefPtr<ui::VeskApplication> application_;
  ui::VeskWindow* window_ = nullptr;
};

}  // namespace vesk::testing
