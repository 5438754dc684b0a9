// Where presets live for a build-folder, unzipped, installed or locked program.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/userdatafolder.h"
#include "settings/presetfolder.h"
#include "tempdir.h"

namespace fs = std::filesystem;
using huevox::ListPresetFiles;

struct FolderCase {
  std::string layout;  // "beside", "installed", "locked": where the samples are
  bool userHasFolder;  // an earlier run made it; the user emptied it since
  std::string chosen;
  std::vector<std::string> userPresets;
};

class PresetFolderChoice : public testing::TestWithParam<FolderCase> {};

TEST_P(PresetFolderChoice, PicksAndSeedsOnce) {
  const FolderCase& c = GetParam();
  TempDir root;
  const std::string samples = c.layout == "installed" ? "share/huevox/presets" : "bin/presets";
  fs::create_directories(root.at(samples));
  fs::create_directories(root.at("bin"));
  root.write(samples + "/A.ini", "[config]\r\n");
  if (c.userHasFolder) fs::create_directories(root.at("user/presets"));
  if (c.layout == "locked" && std::system(("chattr +i '" + root.file("bin/presets") + "'").c_str()))
    GTEST_SKIP() << "chattr +i is not supported here";
  const std::string chosen =
      huevox::ChoosePresetsFolder(root.file("bin"), root.file("user/presets"));
  if (c.layout == "locked") std::system(("chattr -i '" + root.file("bin/presets") + "'").c_str());
  EXPECT_EQ(fs::path(chosen), root.at(c.chosen).lexically_normal());
  EXPECT_EQ(ListPresetFiles(root.file("user/presets")), c.userPresets);
  EXPECT_EQ(ListPresetFiles(root.file(samples)), std::vector<std::string>{"A.ini"});
  EXPECT_EQ(fs::exists(root.at("bin/presets")), c.layout != "installed");
}

INSTANTIATE_TEST_SUITE_P(Layouts, PresetFolderChoice, testing::Values(
    FolderCase{"beside", false, "bin/presets", {}},
    FolderCase{"installed", false, "user/presets", {"A.ini"}},
    FolderCase{"installed", true, "user/presets", {}},
    FolderCase{"locked", false, "user/presets", {"A.ini"}}));

TEST(ShippedFile, BesideTheProgramFirstThenTheDataFolder) {
  TempDir root;
  fs::create_directories(root.at("bin"));
  fs::create_directories(root.at("share/huevox"));
  EXPECT_EQ(huevox::FindShippedFile(root.file("bin"), "intro.wma"), "");
  root.write("share/huevox/intro.wma", "x");
  EXPECT_EQ(fs::path(huevox::FindShippedFile(root.file("bin"), "intro.wma")),
            root.at("share/huevox/intro.wma").lexically_normal());
  root.write("bin/intro.wma", "x");
  EXPECT_EQ(fs::path(huevox::FindShippedFile(root.file("bin"), "intro.wma")),
            root.at("bin/intro.wma").lexically_normal());
}

TEST(UserDataFolder, IsTheSystemsOwn) {
#ifdef _WIN32
  EXPECT_EQ(huevox::platform::UserDataFolder(), std::getenv("APPDATA"));
#else
  const std::string home = std::getenv("HOME"), saved = std::getenv("XDG_DATA_HOME") ?: "";
  setenv("XDG_DATA_HOME", "relative/ignored", 1);
  EXPECT_EQ(huevox::platform::UserDataFolder(), home + "/.local/share");
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(huevox::platform::UserDataFolder(), "/data");
  saved.empty() ? unsetenv("XDG_DATA_HOME") : setenv("XDG_DATA_HOME", saved.c_str(), 1);
#endif
}
