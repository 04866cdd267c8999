// Keyring operations in a process of their own: against a bus with no Secret Service,
// one whose Secret Service never answers, and a keyring whose collection is locked.
#include "core/platform/object_ptr.h"
#include "support/temporary_folder.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

struct ProbeRun {
  std::vector<std::string> lines;
  std::chrono::milliseconds elapsed{};
};

// Runs the probe under `wrapper` (a command that prepares its bus) with `commands`, at a
// quarter of the normal time bound.
ProbeRun runProbe(std::vector<std::string> wrapper, const std::vector<std::string>& commands) {
  std::vector<std::string> arguments = std::move(wrapper);
  arguments.insert(arguments.end(), {VESK_KEYRING_PROBE, "--scale", "0.25", "test.isolated"});
  arguments.insert(arguments.end(), commands.begin(), commands.end());
  std::vector<char*> argv;
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  gchar* out = nullptr;
  gint status = 0;
  vesk::glib::ErrorSlot error;
  const auto started = std::chrono::steady_clock::now();
  const bool spawned = g_spawn_sync(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, &out, nullptr,
                                    &status, error.out());
  ProbeRun run;
  run.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  const vesk::glib::GFreePtr<gchar> output(out);
  EXPECT_TRUE(spawned) << error.message();
  EXPECT_TRUE(g_spawn_check_wait_status(status, nullptr)) << "the probe failed";
  std::istringstream lines(out ? out : "");
  for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
  return run;
}

using vesk::testing::TemporaryFolder;

// A session bus configuration whose only activatable services are those in `services`
// (none when it is empty), unlike the system's, which would start the desktop's keyring.
fs::path writeBusConfig(const TemporaryFolder& dir, const std::string& services) {
  const auto config = dir.path() / "bus.conf";
  std::ofstream(config) << R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=)" << dir.path().string()
                        << R"(</listen>
  <auth>EXTERNAL</auth>
  )" << (services.empty() ? "" : "<servicedir>" + services + "</servicedir>")
                        << R"(
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";
  return config;
}

const std::vector<std::string> everyOperation = {"load", "save:{}", "clear"};
const std::vector<std::string> everyFailure = {"load: nothing", "save: Could not update the keyring session.",
                                               "clear: false"};

}  // namespace

TEST(KeyringIsolation, WithNoSecretServiceNothingLoadsAndSavingFailsAtOnce) {
  TemporaryFolder dir;
  const auto config = writeBusConfig(dir, "");
  const auto run = runProbe({"dbus-run-session", "--config-file=" + config.string(), "--"}, everyOperation);
  EXPECT_EQ(run.lines, everyFailure);
  EXPECT_LT(run.elapsed, 5s);
}

TEST(KeyringIsolation, ASecretServiceThatNeverAnswersHoldsNoCallForLong) {
  // The bus starts the service on demand, but it never comes up: each call waits until
  // the keychain's own bound (one second at this scale) gives up.
  TemporaryFolder dir;
  const auto services = dir.path() / "services";
  fs::create_directory(services);
  const auto starter = dir.path() / "never-answers";
  const auto pidFile = dir.path() / "pid";
  std::ofstream(starter) << "#!/bin/sh\necho $$ > '" << pidFile.string()
                         << "'\nexec sleep 60 </dev/null >/dev/null 2>&1\n";
  fs::permissions(starter, fs::perms::owner_all);
  std::ofstream(services / "org.freedesktop.secrets.service")
      << "[D-BUS Service]\nName=org.freedesktop.secrets\nExec=" << starter.string() << "\n";
  const auto config = writeBusConfig(dir, services.string());

  const auto run = runProbe({"dbus-run-session", "--config-file=" + config.string(), "--"}, everyOperation);
  EXPECT_EQ(run.lines, everyFailure);
  EXPECT_LT(run.elapsed, 10s);

  std::ifstream pid(pidFile);
  int starterPid = 0;
  if (pid >> starterPid && starterPid > 0) kill(starterPid, SIGTERM);
}

TEST(KeyringIsolation, ALockedCollectionLoadsNothingAndAClearThatCannotUnlockSaysSo) {
  // No prompter can ask for the password here, so the collection stays locked: the
  // session must not load, and clear must report that the item is still there rather
  // than leave it to sign the user in again at the next start.
  const auto run = runProbe({"dbus-run-session", "--", VESK_WITH_KEYRING},
                            {"save:kept", "load", "lock", "load", "clear", "save:other"});
  const std::vector<std::string> expected = {"save: ok",     "load: kept",
                                             "lock: ok",     "load: nothing",
                                             "clear: false", "save: Could not update the keyring session."};
  EXPECT_EQ(run.lines, expected);
}
