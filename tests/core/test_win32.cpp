// Windows only: the ANSI code page, file attributes and Windows error codes.
// scripts/test-windows.sh runs these under Wine with several code pages.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>

#include <windows.h>

#include "core/tempdir.h"
#include "settings/fileio.h"
#include "settings/ini.h"
#include "settings/textcodec.h"

namespace fs = std::filesystem;
using namespace huevox;

namespace {

struct CodePageSample {
  unsigned codePage;
  const char* utf8;
  const char* bytes;
};

// "ゾーン" holds the trail bytes 0x5D and 0x5B: ']' and '[' to a byte-wise reader.
const CodePageSample kSamples[] = {
    {1252, "Trébuchet €5 “q”", "Tr\xE9" "buchet \x80" "5 \x93q\x94"},
    {1251, "Шрифт Привет", "\xD8\xF0\xE8\xF4\xF2 \xCF\xF0\xE8\xE2\xE5\xF2"},
    {932, "ゾーン 日本 ｱ", "\x83\x5D\x81\x5B\x83\x93 \x93\xFA\x96\x7B \xB1"},
    {CP_UTF8, "Trébuchet", "Tr\xC3\xA9" "buchet"},
};

const CodePageSample* SampleForSystem() {
  for (const auto& s : kSamples) {
    if (s.codePage == GetACP()) return &s;
  }
  return nullptr;
}

size_t EntryCount(const fs::path& folder) {
  return static_cast<size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

DWORD Attributes(const fs::path& p) { return GetFileAttributesW(p.c_str()); }

}  // namespace

// The run was made for a code page (under Wine it follows the locale): make
// sure it got that one, or the code-page tests below would test another.
TEST(Win32CodePage, RunsInTheCodePageAskedFor) {
  const char* wanted = std::getenv("HUEVOX_EXPECT_ACP");
  if (!wanted) GTEST_SKIP() << "no code page asked for; this one is " << GetACP();
  EXPECT_EQ(GetACP(), static_cast<unsigned>(std::atoi(wanted)));
}

TEST(Win32CodePage, SamplesRoundTrip) {
  for (const auto& s : kSamples) {
    SCOPED_TRACE(s.codePage);
    EXPECT_EQ(DecodeCodePage(s.bytes, s.codePage), s.utf8);
    EXPECT_EQ(EncodeCodePage(s.utf8, s.codePage), s.bytes);
  }
}

TEST(Win32CodePage, EveryByteOfASingleByteCodePageSurvives) {
  for (const unsigned cp : {1252u, 1251u, 1250u}) {
    for (int b = 1; b < 256; ++b) {
      const std::string byte(1, static_cast<char>(b));
      SCOPED_TRACE(testing::Message() << cp << ": byte " << b);
      const std::string text = DecodeCodePage(byte, cp);
      EXPECT_EQ(EncodeCodePage(text, cp), byte);
      if (b < 0x80) {
        EXPECT_EQ(text, byte);
      }
    }
  }
}

TEST(Win32CodePage, MissingCharactersBecomeQuestionMarksNotLookAlikes) {
  EXPECT_EQ(EncodeCodePage("Łódź", 1252), "?\xF3" "d?");
  EXPECT_EQ(EncodeCodePage("é 😀", 1251), "? ?");
  // With UTF-8 as the system code page, files are read as on Linux.
  EXPECT_EQ(DecodeCodePage("Tr\xE9" "buchet", CP_UTF8), "Trébuchet");
  EXPECT_EQ(EncodeCodePage("😀", CP_UTF8), "😀");
  // UTF-16 conversions keep characters outside the BMP.
  EXPECT_EQ(FromWide(ToWide("a😀ß")), "a😀ß");
  EXPECT_EQ(ToWide("😀").size(), 2u);
}

TEST(Win32CodePage, FilesAreWrittenAndReadInTheSystemCodePage) {
  const CodePageSample* s = SampleForSystem();
  if (!s) GTEST_SKIP() << "no sample for code page " << GetACP();
  EXPECT_EQ(DecodeFileText(s->bytes), s->utf8);
  EXPECT_EQ(EncodeFileText(s->utf8), s->bytes);

  TempDir dir;
  ASSERT_FALSE(SaveListToFile(dir.file("font.blt"), {std::string("  Face ") + s->utf8}));
  EXPECT_EQ(dir.read("font.blt"), std::string("  Face ") + s->bytes + "\r\n");

  ASSERT_FALSE(WriteIni("config", "font", s->utf8, dir.file("p.ini")));
  EXPECT_EQ(dir.read("p.ini"), std::string("[config]\r\nFONT=") + s->bytes + "\r\n");

  // A file made by hand in the code page; section names in it too.
  dir.write("hand.ini", std::string("[") + s->bytes + "]\r\nk=" + s->bytes + "\r\n");
  EXPECT_EQ(ReadIni(s->utf8, "K", dir.file("hand.ini")), s->utf8);
}

TEST(Win32CodePage, ByteOrderMarkMeansUtf8WhateverTheCodePage) {
  TempDir dir;
  dir.write("bom.ini", "\xEF\xBB\xBF[config]\r\nFONT=Tr\xC3\xA9" "buchet\r\n");
  EXPECT_EQ(ReadIni("config", "font", dir.file("bom.ini")), "Trébuchet");
  ASSERT_FALSE(WriteIni("config", "size", "Łódź", dir.file("bom.ini")));
  EXPECT_EQ(dir.read("bom.ini"),
            "\xEF\xBB\xBF[config]\r\nFONT=Tr\xC3\xA9" "buchet\r\n"
            "SIZE=\xC5\x81\xC3\xB3" "d\xC5\xBA\r\n");
}

TEST(Win32Files, NamesOutsideTheCodePageWork) {
  TempDir dir;
  const std::string name = "Été ☃ Łódź.ini";
  ASSERT_FALSE(WriteIni("config", "font", "Tahoma", dir.file(name)));
  EXPECT_TRUE(fs::is_regular_file(dir.at(name)));
  EXPECT_TRUE(FileExists(dir.file("ÉTÉ ☃ ŁÓDŹ.INI")));
  EXPECT_EQ(ReadIni("config", "font", dir.file(name)), "Tahoma");
}

TEST(Win32Files, ReplacedFileKeepsHiddenAndSystemAttributes) {
  TempDir dir;
  dir.write("hidden.ini", "[config]\r\nFONT=Arial\r\n");
  dir.write("system.blt", "old");
  ASSERT_TRUE(SetFileAttributesW(dir.at("hidden.ini").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW(dir.at("system.blt").c_str(),
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));

  ASSERT_FALSE(WriteIni("config", "font", "Tahoma", dir.file("hidden.ini")));
  EXPECT_EQ(dir.read("hidden.ini"), "[config]\r\nFONT=Tahoma\r\n");
  EXPECT_TRUE(Attributes(dir.at("hidden.ini")) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(FileExists(dir.file("hidden.ini")));

  ASSERT_FALSE(SaveListToFile(dir.file("system.blt"), {"new"}));
  EXPECT_EQ(dir.read("system.blt"), "new\r\n");
  EXPECT_EQ(Attributes(dir.at("system.blt")) & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE),
            DWORD{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE});

  // A new file gets no attributes from anywhere.
  ASSERT_FALSE(SaveListToFile(dir.file("fresh.blt"), {"x"}));
  EXPECT_FALSE(Attributes(dir.at("fresh.blt")) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_TRUE(FileExists(dir.file("fresh.blt")));
  EXPECT_EQ(EntryCount(dir.path()), 3u);
}

// The Windows counterpart of the immutable folder: a read-only file, and a file
// that another program holds open without letting it be replaced.
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
  EXPECT_FALSE(DescribeError(readOnly).empty());
  EXPECT_EQ(DescribeError(readOnly).find("nknown"), std::string::npos) << DescribeError(readOnly);

  HANDLE holder = CreateFileW(dir.at("locked.ini").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(WriteIni("config", "font", "Tahoma", dir.file("locked.ini")));
  EXPECT_EQ(dir.read("locked.ini"), old);
  CloseHandle(holder);
  EXPECT_FALSE(WriteIni("config", "font", "Tahoma", dir.file("locked.ini")));
  EXPECT_EQ(dir.read("locked.ini"), "[config]\r\nFONT=Tahoma\r\n");

  EXPECT_EQ(EntryCount(dir.path()), 2u);  // no temporary file left behind
  SetFileAttributesW(dir.at("readonly.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32Files, ErrorsCompareWithPortableCodes) {
  TempDir dir;
  dir.write("taken.ini", "old");
  const auto missing = SaveListToFile(dir.file("no\\such\\folder\\out.txt"), {"a"});
  EXPECT_EQ(missing, std::errc::no_such_file_or_directory) << missing.message();
  const auto taken = WriteFileAtomically(dir.at("taken.ini"), "new", WriteMode::CreateNew);
  EXPECT_EQ(taken, std::errc::file_exists) << taken.message();
  EXPECT_NE(DescribeError(missing), DescribeError(taken));
  EXPECT_EQ(dir.read("taken.ini"), "old");
}
#endif
