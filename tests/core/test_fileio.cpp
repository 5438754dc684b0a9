#include <gtest/gtest.h>

#include "core/tempdir.h"
#include "settings/fileio.h"

namespace fs = std::filesystem;
using namespace huevox;

TEST(SaveListToFile, WritesWholeFilesOrReportsWhyNot) {
  TempDir dir;
  // No lines, no bytes (the CR LF line ends: PosixFiles and test_win32).
  EXPECT_FALSE(SaveListToFile(dir.file("out.txt"), {}));
  EXPECT_EQ(dir.read("out.txt"), "");
  // A parent that is a regular file: no permission bits involved, so it fails for root too.
  EXPECT_TRUE(SaveListToFile(dir.file("out.txt") + "/x.txt", {"a"}));
  EXPECT_TRUE(SaveListToFile(dir.file("no/such/folder/out.txt"), {"a"}));
  EXPECT_EQ(WriteFileAtomically(dir.at("out.txt"), "new", WriteMode::CreateNew), std::errc::file_exists);
  // Read-only files are refused, root or not; on Windows the write bits are the read-only attribute.
  dir.write("readonly.htm", "old");
  fs::permissions(dir.at("readonly.htm"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::error_code error = SaveListToFile(dir.file("readonly.htm"), {"x"});
  EXPECT_EQ(error, std::errc::permission_denied);
  EXPECT_EQ(DescribeError(error).find("nknown"), std::string::npos) << DescribeError(error);
  EXPECT_EQ(dir.read("readonly.htm"), "old");
  EXPECT_EQ(dir.count(), 2);  // the old files, and no temporary one
  fs::permissions(dir.at("readonly.htm"), fs::perms::all);
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

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

// Windows keeps the hidden and system attributes instead of owner and mode: see test_win32.cpp.
TEST(PosixFiles, LinksKeepOwnerAndModeAndPipesAreNeverRead) {
  TempDir dir;
  dir.write("real.htm", "old");
  ASSERT_EQ(chmod(dir.at("real.htm").c_str(), 0660), 0);  // not what a new file gets
  const bool root = geteuid() == 0;  // only root can give a file away
  if (root) {
    ASSERT_EQ(chown(dir.at("real.htm").c_str(), 1234, 5678), 0);
  }
  fs::create_symlink("real.htm", dir.at("link.htm"));
  ASSERT_FALSE(SaveListToFile(dir.file("link.htm"), {"new"}));
  EXPECT_TRUE(fs::is_symlink(dir.at("link.htm")));
  EXPECT_EQ(dir.read("real.htm"), "new\r\n");
  struct stat st {};
  ASSERT_EQ(stat(dir.at("real.htm").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0660u);
  if (root) {
    EXPECT_EQ(std::to_string(st.st_uid) + ":" + std::to_string(st.st_gid), "1234:5678");
  }
  EXPECT_EQ(dir.count(), 2);  // no temporary file left behind
  // A named pipe is never read as a file: it would wait for a writer.
  ASSERT_EQ(mkfifo(dir.at("pipe.ini").c_str(), 0644), 0);
  EXPECT_FALSE(ReadFileHead(dir.at("pipe.ini"), 10));
}
#endif
