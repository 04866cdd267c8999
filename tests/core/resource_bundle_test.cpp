#include "core/style/resource_bundle.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;
using vesk::ResourceBundle;

TEST(ResourceBundle, CandidatesRunFromTheExecutableFolderToTheInstallPrefix) {
  const auto candidates = ResourceBundle::candidateFolders("/opt/vesk/bin");
  ASSERT_EQ(candidates.size(), 3u);
  EXPECT_EQ(candidates[0], fs::path("/opt/vesk/bin/resources"));
  EXPECT_EQ(candidates[1], fs::path("/opt/vesk/share/vesk"));
  EXPECT_EQ(candidates[2].filename(), "vesk");
}

TEST(ResourceBundle, TakesTheFirstFolderThatExistsAndFindsOnlyRegularFiles) {
  vesk::testing::TemporaryFolder temporary;
  const fs::path missing = temporary.path() / "missing";
  const fs::path notAFolder = temporary.path() / "plain-file";
  const fs::path second = temporary.path() / "second";
  const fs::path third = temporary.path() / "third";
  std::ofstream(notAFolder) << "x";
  fs::create_directories(second / "Fonts" / "DMSans-Regular.ttf");  // a folder, not a file
  fs::create_directories(third);
  std::ofstream(second / "Fonts" / "JetBrainsMono-Regular.ttf") << "font";

  const std::vector<fs::path> candidates{missing, notAFolder, second, third};
  const auto bundle = ResourceBundle::firstExisting(candidates);
  ASSERT_TRUE(bundle);
  EXPECT_EQ(bundle->root(), second);
  EXPECT_EQ(bundle->file("Fonts/JetBrainsMono-Regular.ttf"), second / "Fonts" / "JetBrainsMono-Regular.ttf");
  EXPECT_FALSE(bundle->file("Fonts/DMSans-Regular.ttf"));
  EXPECT_FALSE(bundle->file("wordmark.png"));
  EXPECT_EQ(bundle->folder("Fonts"), second / "Fonts");
  EXPECT_FALSE(bundle->folder("Fonts/JetBrainsMono-Regular.ttf"));  // a file, not a folder
  EXPECT_FALSE(bundle->folder("Icons"));

  const std::vector<fs::path> none{missing, notAFolder};
  EXPECT_FALSE(ResourceBundle::firstExisting(none));
}
