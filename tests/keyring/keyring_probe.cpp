// Runs session keyring operations in a process of their own, so tests can run them
// against a bus with no Secret Service, one that never answers, or a locked keyring,
// without disturbing the test process's own session bus.
//
//   vesk-keyring-probe [--scale F] SERVICE COMMAND...
//
// Commands: "load", "save:TOKEN" (a session with that token), "clear", "lock" (locks
// the default collection). Each prints one line: "load: TOKEN" or "load: nothing",
// "save: ok" or "save: SENTENCE", "clear: true|false", "lock: ok|failed".
#include "core/async/timing.h"
#include "core/platform/object_ptr.h"
#include "core/signin/session_keychain.h"

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

std::string run(const vesk::SessionKeychain& keychain, const std::string& command) {
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
