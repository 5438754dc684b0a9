// Windows only: the ANSI code page, file attributes and Windows error codes.
// scripts/test-windows.sh runs these under Wine with several code pages.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>

#include <windows.h>

#include "core/tempdir.h"
#include "platform/codepage.h"
#include "settings/fileio.h"
#include "settings/ini.h"

using namespace huevox;
using platform::DecodeCodePage;
using platform::EncodeCodePage;

namespace {

// "ゾーン" holds the trail bytes 0x5D and 0x5B: ']' and '[' to a byte-wise reader.
const struct {
  unsigned codePage;
  const char *utf8, *bytes;
} kSamples[] = {
    {1252, "Trébuchet €5 “q”", "Tr\xE9" "buchet \x80" "5 \x93q\x94"},
    {1251, "Шрифт Привет", "\xD8\xF0\xE8\xF4\xF2 \xCF\xF0\xE8\xE2\xE5\xF2"},
    {932, "ゾーン 日本 ｱ", "\x83\x5D\x81\x5B\x83\x93 \x93\xFA\x96\x7B \xB1"},
};

DWORD Attributes(const TempDir& dir, const char* name) { return GetFileAttributesW(dir.at(name).c_str()); }

}  // namespace

TEST(Win32CodePage, SamplesRoundTripAndMissingCharactersBecomeQuestionMarks) {
  // Under Wine the code page follows the locale: make sure the run got the one asked for.
  if (const char* wanted = std::getenv("HUEVOX_EXPECT_ACP"))
    EXPECT_EQ(platform::FileCodePage(), static_cast<unsigned>(std::atoi(wanted)));
  for (const auto& s : kSamples) {
    EXPECT_EQ(DecodeCodePage(s.bytes, s.codePage), s.utf8) << s.codePage;
    EXPECT_EQ(EncodeCodePage(s.utf8, s.codePage), s.bytes) << s.codePage;
  }
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(EncodeCodePage(DecodeCodePage(byte, 1252), 1252), byte) << b;
  }
  EXPECT_EQ(EncodeCodePage("Łódź", 1252), "?\xF3" "d?");  // no look-alikes
  EXPECT_EQ(EncodeCodePage("é 😀", 1251), "? ?");
}

TEST(Win32CodePage, FilesAreWrittenAndReadInTheSystemCodePage) {
  for (const auto& s : kSamples) {
    if (s.codePage != platform::FileCodePage()) continue;
    TempDir dir;
    ASSERT_FALSE(SaveListToFile(dir.file("font.blt"), {std::string("  Face ") + s.utf8}));
    EXPECT_EQ(dir.read("font.blt"), std::string("  Face ") + s.bytes + "\r\n");
    ASSERT_FALSE(WriteIni("config", "font", s.utf8, dir.file("p.ini")));
    EXPECT_EQ(dir.read("p.ini"), std::string("[config]\r\nFONT=") + s.bytes + "\r\n");
    // A file made by hand in the code page; section names in it too.
    dir.write("hand.ini", std::string("[") + s.bytes + "]\r\nk=" + s.bytes + "\r\n");
    EXPECT_EQ(ReadIni(s.utf8, "K", dir.file("hand.ini")), s.utf8);
    // Names outside the code page work all the same.
    ASSERT_FALSE(WriteIni("config", "font", "Tahoma", dir.file("Été ☃ Łódź.ini")));
    EXPECT_TRUE(FileExists(dir.file("ÉTÉ ☃ ŁÓDŹ.INI")));
  }
}

TEST(Win32Files, ReplacedFileKeepsHiddenAndSystemAttributes) {
  TempDir dir;
  dir.write("hidden.ini", "[config]\r\nFONT=Arial\r\n");
  ASSERT_TRUE(SetFileAttributesW(dir.at("hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_FALSE(WriteIni("config", "font", "Tahoma", dir.file("hidden.ini")));
  EXPECT_EQ(dir.read("hidden.ini"), "[config]\r\nFONT=Tahoma\r\n");
  EXPECT_EQ(Attributes(dir, "hidden.ini") & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM});
  EXPECT_FALSE(FileExists(dir.file("hidden.ini")));
  ASSERT_FALSE(SaveListToFile(dir.file("fresh.blt"), {"x"}));  // a new file gets none
  EXPECT_FALSE(Attributes(dir, "fresh.blt") & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(dir.count(), 2);
}

// A read-only file, and a file that another program holds open without letting it be replaced.
TEST(Win32Files, FailedWriteKeepsTheOldFileAndSaysWhy) {
  TempDir dir;
  const std::string old = "[config]\r\nFONT=Arial\r\n";
  dir.write("readonly.ini", old);
  dir.write("locked.ini", old);
  ASSERT_TRUE(SetFileAttributesW(dir.at("readonly.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  const std::error_code readOnly = WriteIni("config", "font", "Tahoma", dir.file("readonly.ini"));
  EXPECT_EQ(readOnly, std::errc::permission_denied);
  EXPECT_EQ(SaveListToFile(dir.file("readonly.ini"), {"x"}), std::errc::permission_denied);
  EXPECT_EQ(dir.read("readonly.ini"), old);
  EXPECT_EQ(DescribeError(readOnly).find("nknown"), std::string::npos) << DescribeError(readOnly);
  const auto missing = SaveListToFile(dir.file("no\\such\\folder\\out.txt"), {"a"});
  EXPECT_EQ(missing, std::errc::no_such_file_or_directory) << missing.message();
  EXPECT_NE(DescribeError(missing), DescribeError(readOnly));

  HANDLE holder = CreateFileW(dir.at("locked.ini").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(WriteIni("config", "font", "Tahoma", dir.file("locked.ini")));
  EXPECT_EQ(dir.read("locked.ini"), old);
  CloseHandle(holder);
  EXPECT_EQ(dir.count(), 2);  // no temporary file left behind
  SetFileAttributesW(dir.at("readonly.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}
#endif
