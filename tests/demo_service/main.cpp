// Runs the demo service on its own, for trying the application without the real service:
// `vesk-demo-service --port 8787 [--preview] [--pace F]`. Prints its origin, then one
// line per request.
#include "demo_service/demo_service.h"
#include "fake_service/fake_service.h"

#include <glib-unix.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

namespace {

int usage(const char* program) {
  std::fprintf(stderr, "usage: %s [--port N] [--preview] [--pace F]\n", program);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint16_t port = 0;
  vesk::demo::DemoOptions options;
  for (int i = 1; i < argc; ++i) {
    char* end = nullptr;
    if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
      const unsigned long value = std::strtoul(argv[++i], &end, 10);
      if (*end != '\0' || value > 65535) return usage(argv[0]);
      port = static_cast<std::uint16_t>(value);
    } else if (std::strcmp(argv[i], "--preview") == 0) {
      options.account = vesk::demo::AccountKind::preview;
    } else if (std::strcmp(argv[i], "--pace") == 0 && i + 1 < argc) {
      options.pace = std::strtod(argv[++i], &end);
      if (*end != '\0' || !(options.pace > 0.0) || options.pace > 1000.0) return usage(argv[0]);
    } else {
      return usage(argv[0]);
    }
  }
  options.log = [](const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  };
  std::unique_ptr<vesk::testing::FakeService> service;
  try {
    service = std::make_unique<vesk::testing::FakeService>(port);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  service->setRecording(vesk::testing::FakeService::Recording::discard);
  const vesk::demo::DemoService demo(*service, options);
  std::printf("Vesk demo service at %s (%s account, pace %g)\n", service->origin().c_str(),
              options.account == vesk::demo::AccountKind::preview ? "local-preview" : "live", options.pace);
  std::fflush(stdout);
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  // Ends cleanly on Ctrl+C or when scripts/run stops it.
  for (const int signal : {SIGINT, SIGTERM})
    g_unix_signal_add(
        signal,
        [](gpointer data) {
          g_main_loop_quit(static_cast<GMainLoop*>(data));
          return G_SOURCE_REMOVE;
        },
        loop);
  g_main_loop_run(loop);
  g_main_loop_unref(loop);
  return 0;
}
