// Runs the loopback fake service on its own, for trying the application without the
// real service: `vesk-fake-service --port 8787`.
#include "fake_service/fake_service.h"
#include "fake_service/fake_sign_in.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  std::uint16_t port = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
      port = static_cast<std::uint16_t>(std::strtoul(argv[++i], nullptr, 10));
    } else {
      std::fprintf(stderr, "usage: %s [--port N]\n", argv[0]);
      return 2;
    }
  }
  vesk::testing::FakeService service(port);
  const vesk::testing::FakeSignIn signIn(service);
  std::printf("%s\n", service.origin().c_str());
  std::fflush(stdout);
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  g_main_loop_run(loop);
  g_main_loop_unref(loop);
  return 0;
}
