// The browser's return reaches the running application: a second launch of the real
// binary with the callback address hands it over D-Bus, unchanged, to the instance that
// is waiting, which completes the sign-in.
#include "core/async/spawn.h"
#include "core/signin/browser_connection.h"
#include "core/signin/vesk_app_identity.h"
#include "fake_service/fake_service.h"
#include "fake_service/fake_sign_in.h"
#include "support/fake_browser.h"
#include "ui/app/sign_in_desktop.h"
#include "ui/app/vesk_application.h"

#include <glibmm/main.h>
#include <gtest/gtest.h>
#include <gtkmm/window.h>

#include <fstream>
#include <optional>
#include <sstream>

using namespace std::chrono_literals;
using vesk::BrowserConnection;
using vesk::TokenResponse;
using vesk::async::TaskHandle;

namespace {

// What the browser does on the desktop: follow the service's redirects, then launch the
// handler of the callback scheme, the application itself, with the address.
struct DesktopBrowser {
  std::vector<std::string> handedToSecondLaunch;
  std::optional<int> secondLaunchStatus;
  std::vector<TaskHandle<void>> visits;

  bool open(const std::string& address) {
    visits.push_back(vesk::async::spawn(visit(this, address)));
    return true;
  }
  static vesk::async::Task<void> visit(DesktopBrowser* browser, std::string address) {
    const std::string callback = co_await vesk::testing::followToCallback(address);
    browser->handedToSecondLaunch.push_back(callback);
    std::vector<std::string> arguments = {VESK_APP_BINARY, callback};
    std::vector<char*> argv = {arguments[0].data(), arguments[1].data(), nullptr};
    GPid pid = 0;
    vesk::glib::ErrorSlot error;
    if (!g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr, nullptr, &pid, error.out())) {
      ADD_FAILURE() << "cannot start the second instance: " << error.message();
      co_return;
    }
    g_child_watch_add(
        pid,
        [](GPid child, gint status, gpointer data) {
          static_cast<DesktopBrowser*>(data)->secondLaunchStatus = status;
          g_spawn_close_pid(child);
        },
        browser);
  }
};

}  // namespace

TEST(SignInCallback, ASecondLaunchHandsTheAddressUnchangedToTheWaitingInstance) {
  vesk::testing::FakeService service;
  vesk::testing::FakeSignIn signIn(service);
  DesktopBrowser browser;
  const auto connection = BrowserConnection::create(&vesk::ui::signInAnchor,
                                                    [&](const std::string& address) { return browser.open(address); });
  auto application =
      vesk::ui::VeskApplication::create([] { return std::optional<vesk::ResourceBundle>(); }, connection);

  std::vector<std::string> opened;
  application->signal_open().connect(
      [&](const Gio::Application::type_vec_files& files, const Glib::ustring&) {
        for (const auto& file : files) opened.push_back(file->get_uri());
      },
      false);
  std::optional<TaskHandle<TokenResponse>> attempt;
  // Started once the window is shown, as the sign-in screen would.
  application->signal_activate().connect([&] {
    if (!attempt) attempt = vesk::async::spawn(connection->connect(service.origin()));
  });
  const auto started = std::chrono::steady_clock::now();
  // Disconnected after the run: the loop runs again in later tests of this process.
  auto ticking = Glib::signal_timeout().connect(
      [&] {
        const bool done = attempt && attempt->isDone() && browser.secondLaunchStatus;
        if (done || std::chrono::steady_clock::now() - started > 30s) application->quit();
        return true;
      },
      20);
  char name[] = "vesk_ui_tests";
  char* argv[] = {name, nullptr};
  application->run(1, argv);
  ticking.disconnect();

  ASSERT_TRUE(attempt && attempt->isDone()) << "the sign-in did not finish";
  EXPECT_EQ(attempt->result(), TokenResponse("token-1", 3600));
  ASSERT_EQ(browser.handedToSecondLaunch.size(), 1u);
  const std::string& callback = browser.handedToSecondLaunch[0];
  EXPECT_EQ(callback, signIn.grants().at(0).callback);
  EXPECT_NE(callback.find("iss=http%3A%2F%2F127.0.0.1%3A"), std::string::npos) << "an address with escapes";
  EXPECT_EQ(opened, std::vector<std::string>{callback}) << "byte for byte";
  ASSERT_TRUE(browser.secondLaunchStatus);
  EXPECT_TRUE(g_spawn_check_wait_status(*browser.secondLaunchStatus, nullptr)) << "the second launch failed";
}

TEST(SignInCallback, TheDesktopFileHandlesThisBuildsCallbackScheme) {
  std::ifstream file(VESK_DESKTOP_FILE);
  ASSERT_TRUE(file) << VESK_DESKTOP_FILE;
  std::stringstream text;
  text << file.rdbuf();
  const auto& identity = vesk::VeskAppIdentity::current();
  EXPECT_NE(text.str().find("\nMimeType=x-scheme-handler/" + identity.callbackScheme + ";\n"), std::string::npos);
  EXPECT_NE(text.str().find("/vesk\" %u\n"), std::string::npos) << "the address is passed as one argument";
  EXPECT_TRUE(std::string(VESK_DESKTOP_FILE).ends_with("/" + identity.bundleIdentifier + ".desktop"))
      << "named after the application id, as the desktop expects";
}

TEST(SignInCallback, PresentsFromAShownWindowOnly) {
  auto application = Gtk::Application::create("app.vesk.desktop.anchors", Gio::Application::Flags::NON_UNIQUE);
  // Another application of this test process may still be the default one.
  g_application_set_default(G_APPLICATION(application->gobj()));
  std::vector<std::string> findings;
  application->signal_activate().connect([&] {
    auto* first = Gtk::make_managed<Gtk::Window>();
    auto* second = Gtk::make_managed<Gtk::Window>();
    application->add_window(*first);
    application->add_window(*second);
    findings.push_back(vesk::ui::signInAnchor() ? "anchor" : "none");  // nothing shown yet
    first->present();
    findings.push_back(vesk::ui::signInAnchor() ? "anchor" : "none");
    first->hide();
    findings.push_back(vesk::ui::signInAnchor() ? "anchor" : "none");  // the only window hidden
    second->present();
    findings.push_back(vesk::ui::signInAnchor() ? "anchor" : "none");
    first->destroy();
    second->destroy();
    application->quit();
  });
  char name[] = "vesk_instance_tests";
  char* argv[] = {name, nullptr};
  application->run(1, argv);
  EXPECT_EQ(findings, (std::vector<std::string>{"none", "anchor", "none", "anchor"}));
}
