// Windows only: the ANSI code page and file attributes. scripts/test-windows.sh
// runs these under Wine in the code pages 1252, 1251 and 932.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "core/tempdir.h"
#include "platform/codepage.h"
#include "settings/fileio.h"
#include "settings/ini.h"
#include "settings/presetstore.h"

using namespace huevox;

// Text in the system code page; "ゾーン" holds the trail bytes 0x5D and 0x5B, ']' and '[' to a byte-wise reader.
TEST(Win32CodePage, FilesAreWrittenAndReadInTheSystemCodePage) {
  const std::map<unsigned, std::pair<const char*, const char*>> samples = {
      {1252, {"Trébuchet €5 “q”", "Tr\xE9" "buchet \x80" "5 \x93q\x94"}},
      {1251, {"Шрифт Привет", "\xD8\xF0\xE8\xF4\xF2 \xCF\xF0\xE8\xE2\xE5\xF2"}},
      {932, {"ゾーン 日本 ｱ", "\x83\x5D\x81\x5B\x83\x93 \x93\xFA\x96\x7B \xB1"}},
  };
  if (const char* wanted = std::getenv("HUEVOX_EXPECT_ACP"))  // under Wine the locale chooses it
    EXPECT_EQ(platform::FileCodePage(), std::stoul(wanted));
  EXPECT_EQ(platform::EncodeCodePage("Łódź 😀", 1252), "?\xF3" "d? ?");  // no look-alikes
  if (!samples.count(platform::FileCodePage())) GTEST_SKIP() << "no sample for " << platform::FileCodePage();
  const auto [utf8, bytes] = samples.at(platform::FileCodePage());
  TempDir dir;
  ASSERT_FALSE(SaveListToFile(dir.file("font.blt"), {utf8}));
  EXPECT_EQ(dir.read("font.blt"), std::string(bytes) + "\r\n");
  const std::string hand = std::string("[") + bytes + "]\r\nk=" + bytes + "\r\n";
  EXPECT_EQ(ReadIni(IniDocument::FromBytes(hand), utf8, "K"), utf8);
  FontSetting setting;
  setting.face = utf8;
  // A preset in the code page, under a name outside it.
  ASSERT_EQ(SavePreset(dir.file("presets"), "Été ☃ Łódź", setting).outcome, SaveResult::Outcome::Saved);
  EXPECT_NE(dir.read("presets/Été ☃ Łódź.ini").find("\r\nFONT=" + std::string(bytes) + "\r\n"), std::string::npos);
  EXPECT_TRUE(FileExists(dir.file("presets/ÉTÉ ☃ ŁÓDŹ.INI")));
}

// The Windows side of owner and mode: the hidden and system attributes are kept.
TEST(Win32Files, ReplacedFilesKeepTheirAttributes) {
  TempDir dir;
  dir.write("hidden.ini", "[config]\r\nFONT=Arial\r\n");
  const DWORD hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesW(dir.at("hidden.ini").c_str(), hidden));
  ASSERT_FALSE(SaveListToFile(dir.file("hidden.ini"), {"new"}));
  EXPECT_EQ(dir.read("hidden.ini"), "new\r\n");
  EXPECT_EQ(GetFileAttributesW(dir.at("hidden.ini").c_str()) & hidden, hidden);
  EXPECT_FALSE(FileExists(dir.file("hidden.ini")));
  EXPECT_EQ(dir.count(), 1);
}
#endif
