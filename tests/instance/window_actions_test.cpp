// The window's actions as another program on the session bus reaches them: the address
// action opens web pages of the service and nothing else.
#include "build_config.h"
#include "core/workspace/workspace.h"
#include "support/workspace_harness.h"
#include "ui/app/shell_actions.h"

#include <gio/gio.h>
#include <glibmm/main.h>
#include <gtest/gtest.h>
#include <gtkmm/application.h>
#include <gtkmm/applicationwindow.h>

#include <memory>
#include <string>
#include <vector>

using namespace std::chrono_literals;

TEST(WindowActionsOverTheBus, OpenAddressOpensOnlyTheServicesOwnPages) {
  vesk::testing::WorkspaceHarness h;
  auto workspace = vesk::Workspace::create(h.environment(), vesk::Workspace::SavedSession::ignore);
  auto application = Gtk::Application::create("app.vesk.desktop.actions");
  g_application_set_default(G_APPLICATION(application->gobj()));
  const std::string servicePage = std::string(vesk::build::serviceOrigin) + "/pricing";
  std::vector<std::string> opened;
  std::unique_ptr<vesk::ui::ShellActions> actions;
  application->signal_activate().connect([&] {
    auto* window = Gtk::make_managed<Gtk::ApplicationWindow>();
    application->add_window(*window);
    actions = std::make_unique<vesk::ui::ShellActions>(*window, workspace,
                                                       [&](const std::string& address) { opened.push_back(address); });
    // What any program on the bus can do: activate the published window action.
    const std::string path = "/app/vesk/desktop/actions/window/" + std::to_string(window->get_id());
    GDBusActionGroup* remote = g_dbus_action_group_get(application->get_dbus_connection()->gobj(),
                                                       application->get_id().c_str(), path.c_str());
    for (const std::string& address : {std::string("file:///etc/hostname"), std::string("mailto:a@example.com"),
                                       std::string("https://elsewhere.example/"), servicePage})
      g_action_group_activate_action(G_ACTION_GROUP(remote), "open-address", g_variant_new_string(address.c_str()));
    g_object_unref(remote);
  });
  // Activations arrive in the order sent: once the service page is open, the others have
  // been handled.
  const auto started = std::chrono::steady_clock::now();
  auto ticking = Glib::signal_timeout().connect(
      [&] {
        if (!opened.empty() || std::chrono::steady_clock::now() - started > 10s) {
          actions.reset();
          application->quit();
        }
        return true;
      },
      20);
  char name[] = "vesk_instance_tests";
  char* argv[] = {name, nullptr};
  application->run(1, argv);
  ticking.disconnect();
  EXPECT_EQ(opened, std::vector<std::string>{servicePage});
}
