#include <gtest/gtest.h>

#include <cstdlib>

#include "core/tempdir.h"
#include "settings/fileio.h"
#include "settings/ini.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;
using huevox::FileExists;
using huevox::ReadFileHead;
using huevox::SaveListToFile;

TEST(SaveListToFile, EndsEveryLineWithCrLf) {
  TempDir dir;
  EXPECT_FALSE(SaveListToFile(dir.file("out.txt"), {"a", "b", "c"}));
  EXPECT_EQ(dir.read("out.txt"), "a\r\nb\r\nc\r\n");
  EXPECT_FALSE(SaveListToFile(dir.file("out.txt"), {}));
  EXPECT_EQ(fs::file_size(dir.path() / "out.txt"), 0u);
}

TEST(ReadFileHead, TakesOnlyWhatTheFileHoldsAndStopsAtTheLimit) {
  TempDir dir;
  dir.write("a.ini", "[config]\r\n");
  EXPECT_LT(ReadFileHead(dir.at("a.ini"), 4u << 20)->capacity(), 4096u);  // not the limit's size
  EXPECT_EQ(ReadFileHead(dir.at("a.ini"), 3), "[co");
}

TEST(SaveListToFile, ReportsFailureAndLeavesNoTemporaryFiles) {
  TempDir dir;
  dir.write("plain", "x");
  // A parent that is a regular file: no permission bits involved, so it fails for root too.
  EXPECT_TRUE(SaveListToFile(dir.file("plain") + "/out.txt", {"a"}));
  EXPECT_TRUE(SaveListToFile(dir.file("no/such/folder/out.txt"), {"a"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

#ifdef __linux__
// An immutable folder refuses new files even to root.
class ImmutableFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.write("old.ini", "[config]\r\nFONT=Arial\r\n");
    if (std::system(("chattr +i " + dir_.path().string() + " 2>/dev/null").c_str()) != 0)
      GTEST_SKIP() << "chattr +i is not supported here";
    locked_ = true;
  }
  void TearDown() override {
    if (locked_) std::system(("chattr -i " + dir_.path().string()).c_str());
  }
  TempDir dir_;
  bool locked_ = false;
};

TEST_F(ImmutableFolder, FailedWriteKeepsTheOldFile) {
  EXPECT_TRUE(SaveListToFile(dir_.file("old.ini"), {"new"}));
  EXPECT_TRUE(huevox::WriteIni("config", "font", "Tahoma", dir_.file("old.ini")));
  EXPECT_EQ(dir_.read("old.ini"), "[config]\r\nFONT=Arial\r\n");
}
#endif

TEST(WriteFileAtomically, CreateNewNeverReplaces) {
  TempDir dir;
  dir.write("taken.ini", "old");
  const auto err = huevox::WriteFileAtomically(dir.path() / "taken.ini", "new",
                                               huevox::WriteMode::CreateNew);
  EXPECT_EQ(err, std::errc::file_exists);
  EXPECT_EQ(dir.read("taken.ini"), "old");
  EXPECT_FALSE(huevox::WriteFileAtomically(dir.path() / "fresh.ini", "new",
                                           huevox::WriteMode::CreateNew));
  EXPECT_EQ(dir.read("fresh.ini"), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(FileExists, IgnoresCaseButNeverMatchesFoldersOrHiddenFiles) {
  TempDir dir;
  dir.write("Summer.ini", "");
  dir.write(".hidden.ini", "");
#ifdef _WIN32
  // Hidden means the attribute there, not the dot.
  ASSERT_TRUE(SetFileAttributesW(dir.at(".hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN));
  dir.write("system.ini", "");
  ASSERT_TRUE(SetFileAttributesW(dir.at("system.ini").c_str(), FILE_ATTRIBUTE_SYSTEM));
  EXPECT_FALSE(FileExists(dir.file("System.INI")));
#endif
  fs::create_directory(dir.path() / "folder.ini");
  EXPECT_TRUE(FileExists(dir.file("Summer.ini")));
  EXPECT_TRUE(FileExists(dir.file("summer.INI")));
  EXPECT_FALSE(FileExists(dir.file("Summer")));
  EXPECT_FALSE(FileExists(dir.file("S*.ini")));  // no wildcards
  EXPECT_FALSE(FileExists(dir.file("folder.ini")));
  EXPECT_FALSE(FileExists(dir.file(".hidden.ini")));
  EXPECT_FALSE(FileExists(dir.file("missing/Summer.ini")));
  EXPECT_FALSE(FileExists(""));
}
