// Writing a file whole through a new file beside it: what replaces a file keeps its
// permissions, and a new file gets the usual ones.
#include "core/platform/atomic_file.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

unsigned modeOf(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 0777;
}

std::string contentsOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(AtomicFile, AReplacedFileKeepsItsPermissionsAndANewOneGetsTheUsualOnes) {
  const vesk::testing::TemporaryFolder folder;
  const mode_t mask = ::umask(022);
  for (const unsigned mode : {0600u, 0640u, 0664u, 0400u}) {
    const fs::path path = folder.path() / ("private-" + std::to_string(mode) + ".md");
    std::ofstream(path) << "an older, longer text";
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    vesk::writeFileAtomically(path.string(), "new");
    EXPECT_EQ(contentsOf(path), "new");
    EXPECT_EQ(modeOf(path), mode) << "replaced, as it was";
  }
  const fs::path fresh = folder.path() / "fresh.md";
  vesk::writeFileAtomically(fresh.string(), "first");
  EXPECT_EQ(modeOf(fresh), 0644u) << "0666 less the umask";
  ::umask(mask);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 5)
      << "nothing else is left in the folder";
}

// Any name the file system takes can be written, and a failure names the chosen file.
TEST(AtomicFile, AnyNameTheFolderTakesIsWrittenAndFailuresNameTheChosenFile) {
  const vesk::testing::TemporaryFolder folder;
  const std::string longest = std::string(252, 'n') + ".md";  // 255 bytes, the most a name may have
  vesk::writeFileAtomically((folder.path() / longest).string(), "kept");
  EXPECT_EQ(contentsOf(folder.path() / longest), "kept");
  const std::string cjk = "\u6587\u4EF6";  // 6 bytes
  std::string wide;
  while (wide.size() + cjk.size() + 4 <= 255) wide += cjk;
  wide += ".pdf";
  vesk::writeFileAtomically((folder.path() / wide).string(), "%PDF-");
  EXPECT_EQ(contentsOf(folder.path() / wide), "%PDF-");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);

  try {
    vesk::writeFileAtomically((folder.path() / "missing" / "report.md").string(), "x");
    ADD_FAILURE() << "written into a folder that does not exist";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "Could not save \u201Creport.md\u201D: No such file or directory.");
  }
}

// A file given in pieces of every size lands whole; a production that fails half way
// leaves the old file as it was and nothing beside it.
TEST(AtomicFile, AFileGivenInPiecesLandsWholeAndAFailedProductionLeavesTheOldOne) {
  const vesk::testing::TemporaryFolder folder;
  const fs::path path = folder.path() / "live-reports.json";
  std::string expected;
  vesk::writeFileAtomicallyInPieces(
      path.string(),
      [&expected](const auto& sink) {
        for (const std::size_t size : {1u, 0u, 300'000u, 7u, 262'143u, 262'144u, 5u, 1'000'000u}) {
          const std::string piece(size, static_cast<char>('a' + expected.size() % 26));
          expected += piece;
          sink(piece);
        }
      },
      vesk::FileAccess::ownerOnly);
  EXPECT_EQ(contentsOf(path), expected);
  EXPECT_EQ(modeOf(path), 0600u);

  EXPECT_THROW(vesk::writeFileAtomicallyInPieces(path.string(),
                                                 [](const auto& sink) {
                                                   sink(std::string(400'000, 'x'));
                                                   throw std::runtime_error("cannot encode");
                                                 }),
               std::runtime_error);
  EXPECT_EQ(contentsOf(path), expected) << "the old file stays";
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1)
      << "no new file is left beside it";
}
