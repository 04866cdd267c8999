// Writing the saved-run lists off the main loop: in order, only when they changed, with
// failures reported on the main loop, and nothing left half-written when the process ends.
#include "core/workspace/saved_run_writer.h"
#include "support/run_loop.h"
#include "support/temporary_folder.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;
namespace fs = std::filesystem;

namespace {

using List = SavedRunFile::List;

// The support folder of a writer, inside a temporary folder. Waits for the writes under
// way before the folder goes.
class WriterFolder {
 public:
  WriterFolder() : WriterFolder(std::nullopt) {}
  // A folder inside `root`, or inside a fresh temporary folder when none is given.
  explicit WriterFolder(std::optional<fs::path> root) {
    if (!root) made_.emplace();
    root_ = root ? *root : made_->path();
  }
  ~WriterFolder() { SavedRunWriter::finishAllWrites(); }
  WriterFolder(const WriterFolder&) = delete;
  WriterFolder& operator=(const WriterFolder&) = delete;

  const fs::path& root() const { return root_; }
  std::string folder() const { return (root_ / "Vesk").string(); }
  std::string read(const std::string& name) const {
    std::ifstream in(root_ / "Vesk" / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(root_ / "Vesk")) found.push_back(entry.path().filename());
    std::sort(found.begin(), found.end());
    return found;
  }

 private:
  std::optional<TemporaryFolder> made_;
  fs::path root_;
};

// A list of `count` runs whose reports are `reportBytes` long.
std::vector<SavedAudit> runs(int count, std::size_t reportBytes, const std::string& status = "complete") {
  std::vector<SavedAudit> list;
  for (int run = 0; run < count; ++run)
    list.emplace_back("run-" + std::to_string(run), "project-1", "Café", status, std::string(reportBytes, 'r'),
                      "quick");
  return list;
}

// The list as the JSON library writes it in one go.
std::string dumpedWhole(const std::vector<SavedAudit>& runs) {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& run : runs) list.push_back(run.toJson());
  return list.dump();
}

bool idle(const SavedRunWriter& writer) {
  return runUntil([&] { return writer.isIdle(); });
}

}  // namespace

TEST(SavedRunWriter, ABurstOfStatesEndsWithTheLastOneOnDiskAndNoTemporaryFile) {
  WriterFolder temp;
  SavedRunWriter writer(temp.folder(), [](const std::string& failure) { ADD_FAILURE() << failure; });
  // Each state is smaller than the one before: were writes not kept in order, a large
  // early one would land last.
  for (int state = 40; state >= 1; --state) {
    writer.write(runs(state, 20000), List::live);
    writer.write(runs(state, 100, "running"), List::sample);
  }
  ASSERT_TRUE(idle(writer));
  EXPECT_EQ(temp.read(SavedRunFile::liveName), SavedRunFile::encode(runs(1, 20000)));
  EXPECT_EQ(temp.read(SavedRunFile::sampleName), SavedRunFile::encode(runs(1, 100, "running")));
  EXPECT_EQ(temp.names(), (std::vector<std::string>{SavedRunFile::liveName, SavedRunFile::sampleName}));
  EXPECT_EQ(fs::status(temp.folder() + "/" + SavedRunFile::liveName).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST(SavedRunWriter, AnUnchangedListIsNotWrittenAgainUnlessItsLastWriteFailed) {
  WriterFolder temp;
  std::vector<std::string> failures;
  SavedRunWriter writer(temp.folder(), [&](const std::string& failure) { failures.push_back(failure); });
  writer.write(runs(2, 10), List::live);
  ASSERT_TRUE(idle(writer));
  // Marked behind the writer's back: a new write would replace the mark.
  std::ofstream(temp.folder() + "/" + SavedRunFile::liveName, std::ios::trunc) << "mark";
  writer.write(runs(2, 10), List::live);
  ASSERT_TRUE(idle(writer));
  EXPECT_EQ(temp.read(SavedRunFile::liveName), "mark");
  // The same runs are news to the other list.
  writer.write(runs(2, 10), List::sample);
  ASSERT_TRUE(idle(writer));
  EXPECT_EQ(temp.read(SavedRunFile::sampleName), SavedRunFile::encode(runs(2, 10)));

  // A change is written; going back to the earlier state is a change too.
  writer.write(runs(3, 10), List::live);
  ASSERT_TRUE(idle(writer));
  EXPECT_EQ(temp.read(SavedRunFile::liveName), SavedRunFile::encode(runs(3, 10)));
  writer.write(runs(2, 10), List::live);
  ASSERT_TRUE(idle(writer));
  EXPECT_EQ(temp.read(SavedRunFile::liveName), SavedRunFile::encode(runs(2, 10)));

  // A failed write does not count as written: the same list is tried again next time.
  fs::remove_all(temp.folder());
  std::ofstream(temp.folder()) << "a file where the folder should be";
  writer.write(runs(4, 10), List::live);
  ASSERT_TRUE(idle(writer));
  ASSERT_TRUE(runUntil([&] { return !failures.empty(); }));
  EXPECT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("Could not create the folder"), std::string::npos) << failures[0];
  fs::remove(temp.folder());
  writer.write(runs(4, 10), List::live);
  ASSERT_TRUE(idle(writer));
  EXPECT_EQ(temp.read(SavedRunFile::liveName), SavedRunFile::encode(runs(4, 10)));
  runFor(20ms);
  EXPECT_EQ(failures.size(), 1u);
}

TEST(SavedRunWriter, AListThatCannotBeEncodedIsReportedNotFatal) {
  WriterFolder temp;
  std::vector<std::string> failures;
  SavedRunWriter writer(temp.folder(), [&](const std::string& failure) { failures.push_back(failure); });
  auto list = runs(1, 10);
  list[0].output = "\xff\xfe not UTF-8";
  writer.write(list, List::live);
  ASSERT_TRUE(runUntil([&] { return !failures.empty() && writer.isIdle(); }));
  EXPECT_FALSE(fs::exists(temp.folder() + "/" + SavedRunFile::liveName));
  writer.write(runs(1, 10), List::live);
  ASSERT_TRUE(idle(writer));
  EXPECT_EQ(temp.read(SavedRunFile::liveName), SavedRunFile::encode(runs(1, 10)));
}

TEST(SavedRunWriter, AFailureAfterTheWriterWentIsNotReported) {
  WriterFolder temp;
  fs::create_directories(temp.root());
  std::ofstream(temp.folder()) << "a file where the folder should be";
  bool reported = false;
  {
    SavedRunWriter writer(temp.folder(), [&](const std::string&) { reported = true; });
    writer.write(runs(1, 10), List::live);
  }
  SavedRunWriter::finishAllWrites();
  runFor(50ms);
  EXPECT_FALSE(reported);
}

// The process ends at once after the change: the write still lands whole, and no
// temporary file is left beside it.
TEST(SavedRunWriter, AProcessThatEndsRightAfterAChangeStillWritesIt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The death test runs this body again in a fresh process, which finds the folder
  // through the environment.
  const char* given = std::getenv("VESK_EXIT_WRITE_FOLDER");
  const WriterFolder temp(given ? std::optional<fs::path>(given) : std::nullopt);
  if (!given) g_setenv("VESK_EXIT_WRITE_FOLDER", temp.root().c_str(), TRUE);
  const auto list = runs(100, 50000);
  EXPECT_EXIT(
      {
        SavedRunWriter writer(temp.folder(), nullptr);
        writer.write(list, List::live);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  g_unsetenv("VESK_EXIT_WRITE_FOLDER");
  EXPECT_EQ(temp.read(SavedRunFile::liveName), SavedRunFile::encode(list));
  EXPECT_EQ(temp.names(), std::vector<std::string>{SavedRunFile::liveName});
}

// The list is encoded piece by piece, never whole: the bytes must still be exactly the
// JSON library's, escapes, member order and absent members included.
TEST(SavedRunFile, TheListInPiecesIsExactlyWhatTheJsonLibraryWritesWhole) {
  EXPECT_EQ(SavedRunFile::encode({}), "[]");
  std::string everyAscii;
  for (int byte = 1; byte < 0x80; ++byte) everyAscii += static_cast<char>(byte);
  // Escapes on both sides of the 64 KiB pieces, and a long run with none.
  std::string long_text(200'000, 'l');
  for (const std::size_t at : {65'534u, 65'535u, 65'536u, 131'071u, 199'999u}) long_text[at] = '"';
  long_text.replace(100'000, 4, "\u00e9\n");
  std::vector<SavedAudit> list = runs(2, 10);
  list.emplace_back("run-x", "p\"1", "Caf\u00e9 \U0001F600 \u2014", "complete",
                    everyAscii + "\u00e9\U0001F600\x7f" + long_text + std::string(70'000, 'z'), "full", true,
                    "2026-12-07T10:00:00Z", false, "brief\twith\ncontrols\x01", 12, "Agent\x1f");
  list.emplace_back("run-empty", "", "", "", "");
  list.emplace_back("run-nul", "p", "n", "complete", std::string("a\0b\"", 4));
  EXPECT_EQ(SavedRunFile::encode(list), dumpedWhole(list));
  std::size_t pieces = 0;
  SavedRunFile::encodeInPieces(list, [&pieces](std::string_view) { ++pieces; });
  EXPECT_LT(pieces, 20u) << "small pieces are gathered";

  list[1].output = "\xff\xfe not UTF-8";
  EXPECT_THROW(SavedRunFile::encode(list), nlohmann::json::type_error) << "as the library refuses it";
}
