#pragma once
// The fake service in a process of its own (archive_service/), sending a large file slowly
// in chunks both as the account archive and as a run's PDF, so that a benchmark measures
// only the client's memory. Started for one benchmark and stopped with it.
#include "core/api/desktop_api.h"

#include <glib.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace vesk::bench {

class ArchiveServiceProcess {
 public:
  static constexpr const char* token = "bench-token";

  ArchiveServiceProcess(long megabytes, const char* chunkKilobytes, const char* chunkIntervalMs) {
    const std::string size = std::to_string(megabytes);
    const char* argv[] = {VESK_BENCH_ARCHIVE_SERVICE, token, size.c_str(), chunkKilobytes, chunkIntervalMs, nullptr};
    int output = -1;
    GError* error = nullptr;
    if (!g_spawn_async_with_pipes(nullptr, const_cast<char**>(argv), nullptr, G_SPAWN_DO_NOT_REAP_CHILD, nullptr,
                                  nullptr, &pid_, nullptr, &output, nullptr, &error)) {
      const std::string message = error->message;
      g_error_free(error);
      throw std::runtime_error("cannot start the archive service: " + message);
    }
    FILE* lines = fdopen(output, "r");
    char origin[256] = {};
    const bool read = std::fgets(origin, sizeof origin, lines) != nullptr;
    std::fclose(lines);
    if (!read) throw std::runtime_error("the archive service did not start");
    origin_ = std::string(origin, std::strcspn(origin, "\n"));
  }
  ~ArchiveServiceProcess() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    g_spawn_close_pid(pid_);
  }
  ArchiveServiceProcess(const ArchiveServiceProcess&) = delete;
  ArchiveServiceProcess& operator=(const ArchiveServiceProcess&) = delete;

  DesktopAPI api() const { return DesktopAPI{origin_, token}; }

 private:
  GPid pid_ = 0;
  std::string origin_;
};

}  // namespace vesk::bench
