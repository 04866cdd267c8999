#include "core/input/audit_attachment_file.h"
#include "core/async/errors.h"
#include "core/async/spawn.h"
#include "core/records/vesk_error.h"
#include "support/run_loop.h"
#include "support/temporary_folder.h"

#include <gio/gio.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using vesk::AuditAttachment;
using vesk::VeskError;
using vesk::async::PlatformError;
using vesk::testing::runTask;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string tooLargeSuffix = " is too large. Images: 3.5 MB; PDFs: 10 MB; text: 500 KB.";
const std::string unsupported = "Choose a PNG, JPG, WebP, GIF, PDF or text file.";

class AttachmentFiles : public ::testing::Test {
 protected:
  fs::path write(const std::string& name, const std::string& bytes) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // A file of `size` bytes that takes no disk space.
  fs::path sparse(const std::string& name, std::uintmax_t size) {
    const fs::path path = write(name, "");
    fs::resize_file(path, size);
    return path;
  }

  static AuditAttachment read(const fs::path& path) { return runTask(vesk::readAuditAttachment(path), 20s); }

  // The sentence of a VeskError, or a note of what else happened.
  static std::string failureOf(const fs::path& path) {
    try {
      read(path);
      return "(read succeeded)";
    } catch (const VeskError& error) {
      return error.what();
    } catch (const PlatformError& error) {
      return std::string("platform: ") + error.what();
    }
  }

  vesk::testing::TemporaryFolder temporary_;
  const fs::path& dir_ = temporary_.path();
};

}  // namespace

TEST_F(AttachmentFiles, TakesTheMediaTypeFromTheExtensionInAnyCase) {
  struct Case {
    std::string name;
    std::string mediaType;
  };
  const std::vector<Case> cases = {
      {"report.PDF", "application/pdf"}, {"shot.png", "image/png"},      {"photo.JPG", "image/jpeg"},
      {"photo.JpEg", "image/jpeg"},      {"still.webp", "image/webp"},   {"loop.gif", "image/gif"},
      {"notes.txt", "text/plain"},       {"README.md", "text/markdown"}, {"archive.tar.md", "text/markdown"},
  };
  for (const auto& c : cases) {
    const AuditAttachment attachment = read(write(c.name, "abc"));
    EXPECT_EQ(attachment, AuditAttachment(c.name, c.mediaType, "YWJj")) << c.name;
  }
}

TEST_F(AttachmentFiles, RefusesOtherTypesBeforeTouchingTheFile) {
  // None of these files exists: the name alone decides, so no platform error shows.
  for (const std::string name : {"notes.markdown", "photo.jpe", "README", "archive.", "slides.pdf.zip", "shot.png "}) {
    EXPECT_EQ(failureOf(dir_ / name), unsupported) << name;
  }
  const fs::path fifo = dir_ / "pipe.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(failureOf(fifo), unsupported);
}

TEST_F(AttachmentFiles, AcceptsAFileOfExactlyItsLimitAndNamesOneByteMore) {
  struct Case {
    std::string name;
    std::uintmax_t limit;
  };
  const std::vector<Case> cases = {
      {"big.png", 3'670'016}, {"big.webp", 3'670'016}, {"big.pdf", 10'485'760},
      {"big.txt", 512'000},   {"big.md", 512'000},
  };
  for (const auto& c : cases) {
    const AuditAttachment atLimit = read(sparse(c.name, c.limit));
    EXPECT_EQ(atLimit.sizeBytes(), static_cast<std::int64_t>(c.limit)) << c.name;
    EXPECT_EQ(atLimit.data.find_first_of("\r\n"), std::string::npos) << "Base64 must have no line breaks";
    EXPECT_EQ(failureOf(sparse(c.name, c.limit + 1)), c.name + tooLargeSuffix);
  }
}

TEST_F(AttachmentFiles, RefusesAHugeFileFromItsSizeWithoutReadingIt) {
  // Reading 64 GiB of holes would take far longer than the test's deadline.
  EXPECT_EQ(failureOf(sparse("huge.pdf", std::uintmax_t(64) << 30)), "huge.pdf" + tooLargeSuffix);
}

TEST_F(AttachmentFiles, ReadsAFileWhoseSizeIsUnreportedOnlyUpToItsLimit) {
  // Kernel files report a size of 0 and hold more.
  const fs::path maps = dir_ / "maps.txt";
  fs::create_symlink("/proc/self/maps", maps);
  const AuditAttachment small = read(maps);
  EXPECT_EQ(small.mediaType, "text/plain");
  EXPECT_GT(small.sizeBytes(), 0);

  std::error_code unreadable;
  if (fs::file_size("/proc/kallsyms", unreadable) != 0 || unreadable || access("/proc/kallsyms", R_OK) != 0)
    GTEST_SKIP() << "no kernel symbol list to read";
  const fs::path symbols = dir_ / "symbols.txt";
  fs::create_symlink("/proc/kallsyms", symbols);
  EXPECT_EQ(failureOf(symbols), "This file is too large.");
}

TEST_F(AttachmentFiles, PassesFileAccessFailuresOnAsThePlatformWordsThem) {
  const auto platformError = [&](const fs::path& path) -> std::optional<PlatformError> {
    try {
      read(path);
    } catch (const PlatformError& error) {
      return error;
    } catch (...) {
    }
    return std::nullopt;
  };

  const auto missing = platformError(dir_ / "missing.png");
  ASSERT_TRUE(missing);
  EXPECT_TRUE(missing->matches(G_IO_ERROR, G_IO_ERROR_NOT_FOUND)) << missing->what();
  EXPECT_NE(std::string(missing->what()).find("missing.png"), std::string::npos) << missing->what();

  // A FIFO with no writer would block an ordinary open for ever.
  const fs::path fifo = dir_ / "x.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const auto started = std::chrono::steady_clock::now();
  const auto fromFifo = platformError(fifo);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
  ASSERT_TRUE(fromFifo);
  EXPECT_TRUE(fromFifo->matches(G_IO_ERROR, G_IO_ERROR_NOT_REGULAR_FILE)) << fromFifo->what();

  // A link to an endless device is refused, not read until the limit.
  const fs::path zeros = dir_ / "zeros.txt";
  fs::create_symlink("/dev/zero", zeros);
  const auto fromDevice = platformError(zeros);
  ASSERT_TRUE(fromDevice);
  EXPECT_TRUE(fromDevice->matches(G_IO_ERROR, G_IO_ERROR_NOT_REGULAR_FILE)) << fromDevice->what();

  fs::create_directory(dir_ / "folder.png");
  const auto fromFolder = platformError(dir_ / "folder.png");
  ASSERT_TRUE(fromFolder);
  EXPECT_TRUE(fromFolder->matches(G_IO_ERROR, G_IO_ERROR_IS_DIRECTORY)) << fromFolder->what();

  if (geteuid() != 0) {
    const fs::path locked = write("locked.md", "secret");
    fs::permissions(locked, fs::perms::none);
    const auto fromLocked = platformError(locked);
    ASSERT_TRUE(fromLocked);
    EXPECT_TRUE(fromLocked->matches(G_IO_ERROR, G_IO_ERROR_PERMISSION_DENIED)) << fromLocked->what();
  }
}

TEST_F(AttachmentFiles, EncodesContentAsStandardBase64AndKeepsTheFileName) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte.push_back(static_cast<char>(b));
  const std::string bytes = everyByte + everyByte + everyByte;  // long enough for line breaks, were any added
  const AuditAttachment attachment = read(write("Brand guide (v2).pdf", bytes));
  EXPECT_EQ(attachment.filename, "Brand guide (v2).pdf");
  gsize length = 0;
  guchar* decoded = g_base64_decode(attachment.data.c_str(), &length);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(decoded), length), bytes);
  g_free(decoded);
  EXPECT_EQ(attachment.data.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
            std::string::npos);
  EXPECT_EQ(read(write("empty.txt", "")), AuditAttachment("empty.txt", "text/plain", ""));
}

TEST(AuditAttachmentSize, ComesFromTheBase64LengthLessItsPadding) {
  struct Case {
    std::string data;
    std::int64_t expected;
  };
  const std::vector<Case> cases = {
      {"YWJj", 3}, {"YWI=", 2}, {"YQ==", 1}, {"", 0}, {"=", 0}, {"==", 0}, {"YWJjZA==", 4}, {"YWJjZGVm", 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AuditAttachment("a.txt", "text/plain", c.data).sizeBytes(), c.expected) << "\"" << c.data << "\"";
  }
}

TEST_F(AttachmentFiles, ACancelledReadEndsWithCancellation) {
  auto reading = vesk::async::spawn(vesk::readAuditAttachment(sparse("big.pdf", 10'000'000)));
  reading.cancel();
  vesk::testing::waitFor(reading);
  EXPECT_THROW(reading.result(), vesk::async::Cancelled);
}
