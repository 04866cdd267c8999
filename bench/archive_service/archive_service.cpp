// The account settings of the fake service in a process of its own, sending the account
// archive, and the same bytes as the PDF of the run "run_bench", slowly in chunks, so
// that the benchmark measures only the client's memory:
// `vesk_bench_archive_service TOKEN MEGABYTES CHUNK_KB INTERVAL_MS`. Prints its origin.
#include "fake_service/fake_service.h"
#include "fake_service/fake_settings.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s TOKEN MEGABYTES CHUNK_KB INTERVAL_MS\n", argv[0]);
    return 2;
  }
  const std::size_t size = std::strtoul(argv[2], nullptr, 10) * 1024 * 1024;
  vesk::testing::FakeService service;
  const vesk::testing::FakeSettings settings(service, argv[1]);
  std::string archive(size, '\0');
  for (std::size_t i = 0; i < archive.size(); ++i) archive[i] = static_cast<char>((i * 7919) % 251);
  archive.replace(0, 4, "PK\x03\x04");
  vesk::testing::Reply slow = vesk::testing::Reply::json(std::move(archive));
  slow.contentType = "application/zip";
  slow.chunkSize = std::strtoul(argv[3], nullptr, 10) * 1024;
  slow.chunkInterval = std::chrono::milliseconds(std::strtol(argv[4], nullptr, 10));
  service.reply("GET", "/api/desktop/settings/export", slow);
  slow.contentType = "application/pdf";
  service.reply("GET", "/api/desktop/runs/run_bench/pdf", std::move(slow));

  std::printf("%s\n", service.origin().c_str());
  std::fflush(stdout);
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  g_main_loop_run(loop);
  g_main_loop_unref(loop);
  return 0;
}
