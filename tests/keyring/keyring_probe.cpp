// Runs session keyring operations in a process of their own, so tests can run them
// against a bus with no Secret Service, one that never answers, or a locked keyring,
// without disturbing the test process's own session bus.
//
//   vesk-keyring-probe [--scale F] SERVICE COMMAND...
//
// Commands: "load", "save:TOKEN" (a session with that token), "clear", "lock" (locks
// the default collection), "restore" (starts a workspace that restores its session, as
// the application does). Each prints one line: "load: TOKEN" or "load: nothing",
// "save: ok" or "save: SENTENCE", "clear: true|false", "lock: ok|failed", "restore: " and
// whether the main loop turned while the keyring was read, then "signed in|out".
#include "core/async/main_loop.h"
#include "core/async/timing.h"
#include "core/platform/object_ptr.h"
#include "core/signin/session_keychain.h"
#include "core/workspace/workspace.h"

#include <libsecret/secret.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool lockDefaultCollection() {
  vesk::glib::ErrorSlot error;
  auto service =
      vesk::glib::ObjectPtr<SecretService>::adopt(secret_service_get_sync(SECRET_SERVICE_NONE, nullptr, error.out()));
  if (!service) return false;
  auto collection = vesk::glib::ObjectPtr<SecretCollection>::adopt(secret_collection_for_alias_sync(
      service.get(), SECRET_COLLECTION_DEFAULT, SECRET_COLLECTION_NONE, nullptr, error.out()));
  if (!collection) return false;
  GList objects{collection.get(), nullptr, nullptr};
  return secret_service_lock_sync(service.get(), &objects, nullptr, nullptr, error.out()) == 1;
}

std::string restore(const std::string& service) {
  vesk::Workspace::Environment environment;
  environment.serviceOrigin = "https://vesk.app";
  environment.supportFolder = "/nonexistent/vesk-probe";  // nothing is written
  environment.keychain = std::make_shared<vesk::SessionKeychain>(service);
  const auto workspace = vesk::Workspace::create(std::move(environment), vesk::Workspace::SavedSession::restore);
  bool turned = false;
  bool turnedWhileReading = false;
  vesk::async::post([&] {
    turned = true;
    turnedWhileReading = *workspace->accountLoading;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while ((!turned || *workspace->accountLoading) && std::chrono::steady_clock::now() < deadline)
    g_main_context_iteration(nullptr, TRUE);
  return std::string("restore: ") +
         (turnedWhileReading ? "the loop turned while the keyring was read" : "the loop waited for the keyring") +
         (workspace->api() && workspace->api()->token ? ", signed in" : ", signed out");
}

std::string run(const vesk::SessionKeychain& keychain, const std::string& command) {
  if (command == "restore") return restore(keychain.key());
  if (command == "load") {
    const auto session = keychain.load();
    return "load: " + (session ? session->token : "nothing");
  }
  if (command == "clear") return keychain.clear() ? "clear: true" : "clear: false";
  if (command == "lock") return lockDefaultCollection() ? "lock: ok" : "lock: failed";
  if (command.rfind("save:", 0) == 0) {
    try {
      keychain.save(vesk::SessionRecord(command.substr(5), "https://vesk.app", std::chrono::system_clock::now()));
      return "save: ok";
    } catch (const std::exception& error) {
      return std::string("save: ") + error.what();
    }
  }
  return "unknown command " + command;
}

}  // namespace

int main(int argc, char** argv) {
  int next = 1;
  if (next + 1 < argc && std::strcmp(argv[next], "--scale") == 0) {
    vesk::async::Timing::setScale(std::strtod(argv[next + 1], nullptr));
    next += 2;
  }
  if (next >= argc) {
    std::fprintf(stderr, "usage: %s [--scale F] SERVICE COMMAND...\n", argv[0]);
    return 2;
  }
  const vesk::SessionKeychain keychain(argv[next++]);
  for (; next < argc; ++next) std::printf("%s\n", run(keychain, argv[next]).c_str());
  return 0;
}
