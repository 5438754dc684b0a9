// Where presets and the tune are for a build-folder, unzipped, installed or locked program.
#include <gtest/gtest.h>

#include <fstream>

#include "settings/presetfolder.h"
#include "tempdir.h"

namespace fs = std::filesystem;
using huevox::ListPresetFiles;

struct FolderCase {
  std::string layout;  // "beside", "installed", "locked", "file": where the samples are
  bool userHasFolder;  // an earlier run made it; the user emptied it since
  std::string chosen;
  std::vector<std::string> userPresets;
};

class PresetFolderChoice : public testing::TestWithParam<FolderCase> {};

TEST_P(PresetFolderChoice, PicksAndSeedsOnce) {
  const FolderCase& c = GetParam();
  TempDir root;
  // "file": a file where the folder beside the program would be, samples installed.
  const std::string data = c.layout == "installed" || c.layout == "file" ? "share/huevox" : "bin";
  fs::create_directories(root.at("share/huevox"));
  fs::create_directories(root.at("bin"));
  fs::create_directories(root.at(data + "/presets"));
  root.write(data + "/presets/A.ini", "[config]\r\n");
  root.write(data + "/intro.wma", "");
  root.write("share/huevox/intro.wma", "");  // beside the program comes first
  if (c.layout == "file") root.write("bin/presets", "");
  if (c.userHasFolder) fs::create_directories(root.at("user/presets"));
  const std::string lock = "chattr +i '" + root.file("bin/presets") + "' 2>/dev/null";
  // Under Wine the command may "succeed" without locking anything: check by writing.
  if (c.layout == "locked" && (std::system(lock.c_str()) || std::ofstream(root.at("bin/presets/probe"))))
    GTEST_SKIP() << "no chattr +i here";
  const std::string chosen =
      huevox::ChoosePresetsFolder(root.file("bin"), root.file("user/presets"));
  if (c.layout == "locked") std::system(("chattr -i '" + root.file("bin/presets") + "'").c_str());
  EXPECT_EQ(fs::path(chosen), root.at(c.chosen).lexically_normal());
  EXPECT_EQ(ListPresetFiles(root.file("user/presets")), c.userPresets);
  EXPECT_EQ(fs::exists(root.at("bin/presets")), c.layout != "installed");
  EXPECT_EQ(fs::path(huevox::FindShippedFile(root.file("bin"), "intro.wma")),
            root.at(data + "/intro.wma").lexically_normal());
}

INSTANTIATE_TEST_SUITE_P(Layouts, PresetFolderChoice, testing::Values(
    FolderCase{"beside", false, "bin/presets", {}},
    FolderCase{"installed", false, "user/presets", {"A.ini"}},
    FolderCase{"installed", true, "user/presets", {}},
    FolderCase{"locked", false, "user/presets", {"A.ini"}},
    FolderCase{"file", false, "user/presets", {"A.ini"}}));
