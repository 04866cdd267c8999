// The unnamed file an archive is spooled to, and its atomic copy to where the user saves it.
#include "core/account/archive_spool.h"
#include "core/async/errors.h"
#include "support/run_loop.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vesk;
using namespace vesk::testing;
namespace fs = std::filesystem;

namespace {

void write(const ArchiveSpool& spool, const std::string& bytes) {
  ASSERT_TRUE(g_output_stream_write_all(spool.output(), bytes.data(), bytes.size(), nullptr, nullptr, nullptr));
  ASSERT_TRUE(g_output_stream_flush(spool.output(), nullptr, nullptr));
}

std::string contentsOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(ArchiveSpool, LeavesNoNamedFileAndCopiesWhatArrivedWhole) {
  const TemporaryFolder spoolFolder;
  const TemporaryFolder saved;
  {
    const ArchiveSpool spool(spoolFolder.path().string());
    EXPECT_TRUE(fs::is_empty(spoolFolder.path())) << "the spool has no name to leave behind";
    EXPECT_FALSE(spool.startsWith("PK"));
    write(spool, "P");
    EXPECT_FALSE(spool.startsWith("PK"));
    const std::string rest = "K" + std::string(600 * 1024, 'z') + "end";
    write(spool, rest);
    EXPECT_TRUE(spool.startsWith("PK"));

    const fs::path destination = saved.path() / "Vesk audits.zip";
    std::ofstream(destination) << std::string(2 * 1024 * 1024, 'o');  // longer than the archive
    runTask(spool.saveAs(destination.string()));
    EXPECT_EQ(contentsOf(destination), "P" + rest);
  }
  EXPECT_TRUE(fs::is_empty(spoolFolder.path()));
  EXPECT_EQ(std::distance(fs::directory_iterator(saved.path()), fs::directory_iterator()), 1);
}

TEST(ArchiveSpool, SaysWhenNoRoomCanBeMade) {
  const TemporaryFolder folder;
  std::ofstream(folder.path() / "file") << "x";
  try {
    const ArchiveSpool spool((folder.path() / "file" / "cache").string());
    ADD_FAILURE() << "a spool was made under a file";
  } catch (const async::PlatformError& error) {
    EXPECT_STREQ(error.what(), "Could not make room for the download: Not a directory.");
  }
}

TEST(ArchiveSpool, RemovesPartialCopiesACrashLeftAndNothingElse) {
  const TemporaryFolder spoolFolder;
  const TemporaryFolder saved;
  const auto make = [&](const std::string& name, bool old) {
    const fs::path path = saved.path() / name;
    std::ofstream(path) << "partial";
    if (old) fs::last_write_time(path, fs::last_write_time(path) - std::chrono::hours(1));
    return path;
  };
  const auto abandoned = make(".vesk-partial-Ab3xYz", true);
  const auto inProgress = make(".vesk-partial-Qw7rTy", false);  // another save, still being written
  const auto longerName = make(".vesk-partial-Ab3xYz1", true);
  const auto userFile = make("vesk-partial-Ab3xYz", true);
  fs::create_directory(saved.path() / ".vesk-partial-Dir123");
  fs::last_write_time(saved.path() / ".vesk-partial-Dir123",
                      fs::last_write_time(saved.path() / ".vesk-partial-Dir123") - std::chrono::hours(1));

  const ArchiveSpool spool(spoolFolder.path().string());
  write(spool, "PK archive");
  runTask(spool.saveAs((saved.path() / "Vesk audits.zip").string()));
  EXPECT_EQ(contentsOf(saved.path() / "Vesk audits.zip"), "PK archive");
  EXPECT_FALSE(fs::exists(abandoned)) << "left by a crash mid-copy";
  EXPECT_TRUE(fs::exists(inProgress));
  EXPECT_TRUE(fs::exists(longerName));
  EXPECT_TRUE(fs::exists(userFile));
  EXPECT_TRUE(fs::is_directory(saved.path() / ".vesk-partial-Dir123"));
}
