// Exporting the account archive: the download, the signature check, the save panel and
// the atomic write, and each way it can end.
#include "core/account/account_state.h"
#include "core/async/timing.h"
#include "support/account_harness.h"
#include "support/temporary_folder.h"
#include "support/workspace_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;
namespace fs = std::filesystem;

namespace {

constexpr const char* exportPath = "/api/desktop/settings/export";

// The names in `folder`.
std::vector<std::string> namesIn(const TemporaryFolder& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder.path())) found.push_back(entry.path().filename().string());
  return found;
}

std::string contentsOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct ExportHarness : AccountHarness {
  TemporaryFolder folder;
  std::shared_ptr<FakeSaveDialog> dialog = std::make_shared<FakeSaveDialog>();

  ExportHarness() { dialog->answer = file("Vesk audits.zip"); }
  std::string file(const std::string& name) const { return (folder.path() / name).string(); }
  void exportArchive() { run(state->exportArchive(api(), dialog)); }
  void archiveIs(std::string bytes) {
    Reply reply = Reply::json(std::move(bytes));
    reply.contentType = "application/zip";
    service.reply("GET", exportPath, reply);
  }
};

}  // namespace

TEST(AccountExport, SavesTheArchiveWhereTheUserChoseAsItCame) {
  constexpr auto owner = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
  ExportHarness h;
  h.bindAndLoad();
  h.settings.account().archive = "PK\x03\x04 not really a zip, kept as it came";
  const std::string chosen = h.file("my archive");  // no extension is added behind the user's back
  h.dialog->answer = chosen;
  h.state->error = std::string("An earlier failure.");
  h.exportArchive();
  EXPECT_EQ(h.dialog->proposals, (std::vector<std::string>{"Vesk audits.zip"}));
  EXPECT_EQ(h.dialog->kinds, (std::vector<SavedFileKind>{SavedFileKind::zipArchive}));
  EXPECT_EQ(contentsOf(chosen), h.settings.account().archive);
  EXPECT_EQ(namesIn(h.folder), (std::vector<std::string>{"my archive"})) << "no temporary file is left behind";
  EXPECT_EQ(h.state->feedback.get(), "Archive saved.");
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::archive);
  EXPECT_FALSE(h.state->exporting.get());
  const auto reads = h.service.requestsTo("GET", exportPath);
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0].header("Authorization"), "Bearer token-1");

  EXPECT_EQ(std::filesystem::status(chosen).permissions(), owner) << "the archive is the user's alone";

  // Saving again over the same file replaces it whole, and private again.
  std::filesystem::permissions(chosen,
                               owner | std::filesystem::perms::group_read | std::filesystem::perms::others_read);
  h.settings.account().archive = "PK";
  h.exportArchive();
  EXPECT_EQ(contentsOf(chosen), "PK");
  EXPECT_EQ(namesIn(h.folder).size(), 1u);
  EXPECT_EQ(std::filesystem::status(chosen).permissions(), owner);
}

TEST(AccountExport, AReplyThatIsNoZipShowsNoPanel) {
  ExportHarness h;
  h.bindAndLoad();
  for (const char* reply : {"P", "", "<html>Sign in</html>", "pk\x03\x04"}) {
    h.archiveIs(reply);
    h.exportArchive();
    EXPECT_EQ(h.state->error.get(), "The archive could not be read.") << reply;
    EXPECT_FALSE(h.state->exporting.get());
  }
  EXPECT_TRUE(h.dialog->proposals.empty());
  EXPECT_TRUE(namesIn(h.folder).empty());
  EXPECT_FALSE(h.state->reconnectRequired.get());
  EXPECT_FALSE(h.state->deletionUncertain.get() || h.state->profileUncertain.get() || h.state->consentUncertain.get())
      << "an export is a read";
}

TEST(AccountExport, AnotherConnectionWhileThePanelIsOpenWritesNothing) {
  ExportHarness h;
  h.bindAndLoad();
  bool exportingWhileOpen = false;
  h.dialog->whileOpen = [&] {
    exportingWhileOpen = h.state->exporting.get() && h.state->busy();
    auto rebinding = h.state->bind(h.api("token-2"), AccountState::Connected::yes);  // its load is not started
  };
  h.exportArchive();
  EXPECT_TRUE(exportingWhileOpen);
  EXPECT_TRUE(namesIn(h.folder).empty());
  EXPECT_FALSE(h.state->feedback->has_value());
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::account);
  EXPECT_FALSE(h.state->exporting.get());
}

TEST(AccountExport, CancellingThePanelIsSilent) {
  ExportHarness h;
  h.bindAndLoad();
  h.dialog->answer = std::nullopt;
  h.state->feedback = std::string("Saved.");
  h.exportArchive();
  EXPECT_EQ(h.dialog->proposals.size(), 1u);
  EXPECT_FALSE(h.state->feedback->has_value());
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::archive);
  EXPECT_FALSE(h.state->exporting.get());
  EXPECT_TRUE(namesIn(h.folder).empty());
}

TEST(AccountExport, ALargeArchiveArrivingSlowlyNeverTimesOut) {
  const async::ScopedTimeScale fast(1.0 / 150);  // the archive's 150 s idle limit -> 1 s
  ExportHarness h;
  h.bindAndLoad();
  std::string archive(50 * 1024 * 1024, '\0');
  for (std::size_t i = 0; i < archive.size(); i += 4096) archive[i] = static_cast<char>(i / 4096);
  archive[0] = 'P';
  archive[1] = 'K';
  Reply slow = Reply::json(archive);
  slow.contentType = "application/zip";
  slow.chunkSize = 1024 * 1024;
  slow.chunkInterval = 50ms;  // about 2.5 s in all, each pause far below the limit
  h.service.reply("GET", exportPath, slow);

  const auto started = std::chrono::steady_clock::now();
  runTask(h.state->exportArchive(h.api(), h.dialog), 60s);
  EXPECT_GT(std::chrono::steady_clock::now() - started, 1s) << "the whole download outlasted the idle limit";
  EXPECT_FALSE(h.state->error->has_value()) << h.state->error->value_or("");
  EXPECT_EQ(h.state->feedback.get(), "Archive saved.");
  EXPECT_TRUE(contentsOf(h.file("Vesk audits.zip")) == archive);
}

TEST(AccountExport, AnUnwritableDestinationIsReported) {
  ExportHarness h;
  h.bindAndLoad();
  std::ofstream(h.file("plain file")) << "x";
  h.dialog->answer = h.file("plain file") + "/Vesk audits.zip";
  h.exportArchive();
  EXPECT_EQ(h.state->error.get(), "Could not save “Vesk audits.zip”: Not a directory.");
  EXPECT_FALSE(h.state->feedback->has_value());
  EXPECT_FALSE(h.state->exporting.get());

  fs::create_directory(h.file("Folder"));
  h.dialog->answer = h.file("Folder");  // a folder cannot be replaced by the archive
  h.exportArchive();
  EXPECT_EQ(h.state->error.get(), "Could not save “Folder”: Is a directory.");
  auto names = namesIn(h.folder);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Folder", "plain file"})) << "the temporary file went too";
}

TEST(AccountExport, RefusedWhileBusyAndAfterA401) {
  ExportHarness h;
  h.bindAndLoad();
  Reply held = Reply::json(R"({"ok":true})");
  held.stall = true;
  h.service.reply("PATCH", "/api/desktop/settings", held);
  h.state->displayName = "Grace Hopper";
  auto saving = async::spawn(h.state->saveName(h.api()));
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  h.exportArchive();
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::profile) << "a refused export does not move the notice";
  EXPECT_EQ(h.requestsTo("GET", "settings/export"), 0u);
  h.service.releaseStalled();
  waitFor(saving);

  h.service.reply("GET", exportPath, Reply::error(401, "Unauthorized"));
  h.exportArchive();
  EXPECT_EQ(h.state->error.get(), "Your session expired. Reconnect in the browser; your saved work is still there.");
  EXPECT_TRUE(h.state->reconnectRequired.get());
  h.exportArchive();
  EXPECT_EQ(h.requestsTo("GET", "settings/export"), 1u);
  EXPECT_TRUE(h.dialog->proposals.empty());
}

TEST(AccountExport, AnAbandonedDownloadEndsQuietly) {
  ExportHarness h;
  h.bindAndLoad();
  Reply stuck = Reply::json(std::string("PK") + std::string(64 * 1024, 'z'));
  stuck.hangAfter = 1024;
  h.service.reply("GET", exportPath, stuck);
  auto exporting = async::spawn(h.state->exportArchive(h.api(), h.dialog));
  ASSERT_TRUE(runUntil([&] { return h.requestsTo("GET", "settings/export") == 1; }));
  exporting.cancel();
  waitFor(exporting);
  EXPECT_FALSE(h.state->exporting.get());
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_TRUE(h.dialog->proposals.empty());
}
