#include "core/platform/regular_file.h"
#include "core/async/errors.h"
#include "core/platform/object_ptr.h"
#include "support/temporary_folder.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using vesk::RegularFile;
namespace fs = std::filesystem;

namespace {

class RegularFiles : public ::testing::Test {
 protected:
  void SetUp() override { std::ofstream(path_, std::ios::binary) << "abc"; }

  void append(const std::string& bytes) { std::ofstream(path_, std::ios::binary | std::ios::app) << bytes; }

  vesk::testing::TemporaryFolder folder_;
  const fs::path path_ = folder_.path() / "notes.txt";
};

}  // namespace

TEST_F(RegularFiles, ReadsWhatTheFileHoldsNowUpToTheCap) {
  const RegularFile file = RegularFile::open(path_);
  EXPECT_EQ(file.size(), 3u);
  EXPECT_EQ(file.readAtMost(2, nullptr), "ab");
  // A file that grew after it was opened shows its new bytes, still capped, so a caller
  // that asks for one byte over its limit notices.
  append(std::string(200'000, 'x'));
  EXPECT_EQ(file.readAtMost(4, nullptr), "abcx");
  EXPECT_EQ(file.readAtMost(1'000'000, nullptr).size(), 200'003u);
  fs::resize_file(path_, 1);
  EXPECT_EQ(file.readAtMost(10, nullptr), "a");
}

TEST_F(RegularFiles, StopsReadingOnceCancelled) {
  const RegularFile file = RegularFile::open(path_);
  const auto cancellable = vesk::glib::ObjectPtr<GCancellable>::adopt(g_cancellable_new());
  g_cancellable_cancel(cancellable.get());
  EXPECT_THROW(file.readAtMost(10, cancellable.get()), vesk::async::Cancelled);
}
