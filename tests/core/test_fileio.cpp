#include <gtest/gtest.h>

#include "core/tempdir.h"
#include "settings/fileio.h"
#include "settings/ini.h"

namespace fs = std::filesystem;
using namespace huevox;

TEST(SaveListToFile, WritesWholeFilesOrReportsWhyNot) {
  TempDir dir;
  // Lines end in CR LF (the preview and update tests read them); no lines, no bytes.
  EXPECT_FALSE(SaveListToFile(dir.file("out.txt"), {}));
  EXPECT_EQ(dir.read("out.txt"), "");
  // A parent that is a regular file: no permission bits involved, so it fails for root too.
  EXPECT_TRUE(SaveListToFile(dir.file("out.txt") + "/x.txt", {"a"}));
  EXPECT_TRUE(SaveListToFile(dir.file("no/such/folder/out.txt"), {"a"}));
  EXPECT_EQ(WriteFileAtomically(dir.at("out.txt"), "new", WriteMode::CreateNew), std::errc::file_exists);
  EXPECT_EQ(dir.count(), 1);  // the old file, and no temporary one
}

TEST(ReadFileHead, TakesOnlyWhatTheFileHoldsAndStopsAtTheLimit) {
  TempDir dir;
  dir.write("a.ini", "[config]\r\n");
  EXPECT_LT(ReadFileHead(dir.at("a.ini"), 4u << 20)->capacity(), 4096u);  // not the limit's size
  EXPECT_EQ(ReadFileHead(dir.at("a.ini"), 3), "[co");
}

TEST(FileExists, IgnoresCaseButNeverMatchesFoldersOrHiddenFiles) {
  TempDir dir;
  dir.write("Summer.ini", "");
  dir.write(".hidden.ini", "");
  fs::create_directory(dir.at("folder.ini"));
  EXPECT_TRUE(FileExists(dir.file("summer.INI")));
  for (const char* name : {"Summer", "S*.ini", "folder.ini", ".hidden.ini", "no/Summer.ini"})
    EXPECT_FALSE(FileExists(dir.file(name))) << name;
}

// On Windows the write bits are the read-only attribute.
TEST(WriteIni, ReadOnlyFilesAreRefusedWithAClearError) {
  TempDir dir;
  dir.write("readonly.ini", "[config]\r\nFONT=Arial\r\n");
  fs::permissions(dir.at("readonly.ini"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::error_code error = WriteIni("config", "font", "Tahoma", dir.file("readonly.ini"));
  EXPECT_EQ(error, std::errc::permission_denied);
  EXPECT_EQ(DescribeError(error).find("nknown"), std::string::npos) << DescribeError(error);
  EXPECT_EQ(SaveListToFile(dir.file("readonly.ini"), {"x"}), std::errc::permission_denied);
  EXPECT_EQ(dir.read("readonly.ini"), "[config]\r\nFONT=Arial\r\n");
  EXPECT_EQ(dir.count(), 1);  // no temporary file left behind
  fs::permissions(dir.at("readonly.ini"), fs::perms::all);
}

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

// Windows keeps the hidden and system attributes instead of owner and mode: see test_win32.cpp.
TEST(WriteIni, UnreadableAndLinkedFiles) {
  TempDir dir;
  const std::string old = "[config]\r\nFONT=Arial\r\n";
  // A named pipe cannot be read as a file, so it is not rewritten either.
  ASSERT_EQ(mkfifo(dir.at("pipe.ini").c_str(), 0644), 0);
  EXPECT_TRUE(WriteIni("config", "font", "Tahoma", dir.file("pipe.ini")));
  EXPECT_TRUE(fs::is_fifo(dir.at("pipe.ini")));
  // Through a link: the file it points to is replaced, with its owner and mode.
  dir.write("real.ini", old);
  ASSERT_EQ(chmod(dir.at("real.ini").c_str(), 0660), 0);  // not what a new file gets
  const bool root = geteuid() == 0;  // only root can give a file away
  if (root) ASSERT_EQ(chown(dir.at("real.ini").c_str(), 1234, 5678), 0);
  fs::create_symlink("real.ini", dir.at("link.ini"));
  ASSERT_FALSE(WriteIni("config", "font", "Tahoma", dir.file("link.ini")));
  EXPECT_TRUE(fs::is_symlink(dir.at("link.ini")));
  EXPECT_EQ(dir.read("real.ini"), "[config]\r\nFONT=Tahoma\r\n");
  struct stat st {};
  ASSERT_EQ(stat(dir.at("real.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0660u);
  if (root) EXPECT_EQ(std::to_string(st.st_uid) + ":" + std::to_string(st.st_gid), "1234:5678");
  EXPECT_EQ(dir.count(), 3);  // no temporary file left behind
}
#endif
