#include <gtest/gtest.h>

#include "core/tempdir.h"
#include "settings/ini.h"
#include "settings/textcodec.h"

#ifdef _WIN32
#include <windows.h>
#endif

using huevox::ReadIni;
using huevox::WriteIni;

namespace {

// A letter of the file code page that UTF-8 (and Shift-JIS) spell in two or more bytes.
std::string LongLetter() {
#ifdef _WIN32
  if (GetACP() == 1251) return "Ж";
  if (GetACP() == 932) return "日";
#endif
  return "é";
}

// What a lone byte 0xE9 in a file stands for: Windows-1252 on Linux, the ANSI
// code page on Windows.
std::string LoneE9() {
#ifdef _WIN32
  return huevox::DecodeCodePage("\xE9", GetACP());
#else
  return "é";
#endif
}

}  // namespace

TEST(WriteIni, NewFileHoldsSectionLineThenUpperCaseKeys) {
  TempDir dir;
  const auto file = dir.file("p.ini");
  EXPECT_FALSE(WriteIni("config", "Style", "1", file));
  EXPECT_EQ(dir.read("p.ini"), "[config]\r\nSTYLE=1\r\n");
  EXPECT_FALSE(WriteIni("config", "fontcolor", "FF0000", file));
  EXPECT_EQ(dir.read("p.ini"), "[config]\r\nSTYLE=1\r\nFONTCOLOR=FF0000\r\n");
}

TEST(WriteIni, EditsInPlaceAndKeepsEveryOtherLine) {
  TempDir dir;
  const std::string original =
      "; made by hand\n"
      "[Other]\n"
      "size=3\n"
      "\n"
      "[CONFIG]\r\n"
      "  FontColor = 00FF00  \r\n"
      "odd line\r\n"
      "Font=Arial\r\n"
      "\r\n"
      "[tail]\n"
      "x=\xE9";  // a Windows-1252 byte, and no final line end
  dir.write("p.ini", original);
  const auto file = dir.file("p.ini");

  ASSERT_FALSE(WriteIni("config", "fontcolor", "112233", file));
  std::string expected = original;
  expected.replace(expected.find("  FontColor = 00FF00  "), 22, "FONTCOLOR=112233");
  EXPECT_EQ(dir.read("p.ini"), expected);

  // A missing key joins the end of its section, before the blank line.
  ASSERT_FALSE(WriteIni("config", "size", "10", file));
  expected.insert(expected.find("Font=Arial\r\n") + 12, "SIZE=10\r\n");
  EXPECT_EQ(dir.read("p.ini"), expected);

  // A missing section goes at the end; the unterminated last line gets its end.
  ASSERT_FALSE(WriteIni("new", "k", "v", file));
  expected += "\r\n[new]\r\nK=v\r\n";
  EXPECT_EQ(dir.read("p.ini"), expected);

  EXPECT_EQ(ReadIni("tail", "x", file), LoneE9());
  EXPECT_EQ(ReadIni("other", "SIZE", file), "3");
}

TEST(WriteIni, ValueWithLineBreaksStaysOnOneLine) {
  TempDir dir;
  ASSERT_FALSE(WriteIni("config", "font", "a\r\nb\nc", dir.file("p.ini")));
  EXPECT_EQ(dir.read("p.ini"), "[config]\r\nFONT=a  b c\r\n");
}

TEST(ReadIni, FollowsTheProfileRules) {
  TempDir dir;
  dir.write("hand.ini",
            "\xEF\xBB\xBF"
            "top=ignored\n"
            "[Config]\n"
            "\tFontColor\t=  00FF00 \n"
            "BGCOLOR=\"  quoted  \"\n"
            "font='Comic Sans MS'\n"
            "size=\"8'\n"
            "STYLE=2\n"
            "style=5\n"
            "no equals sign\n"
            "empty=\n"
            "[config]\n"
            "extra=second section is never read\n"
            "[last]\n"
            "k=no line end");
  const auto file = dir.file("hand.ini");
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  } const cases[] = {
      {"config", "fontcolor", "00FF00"},        // case and blanks ignored
      {"CONFIG", "bgcolor", "  quoted  "},      // one pair of quotes dropped
      {"config", "font", "Comic Sans MS"},
      {"config", "size", "\"8'"},               // unmatched quotes stay
      {"config", "Style", "2"},                 // first key wins
      {"config", "extra", ""},                  // first section wins
      {"config", "no equals sign", ""},
      {"config", "empty", ""},
      {"config", "top", ""},                    // lines before any section belong to none
      {"last", "k", "no line end"},
      {"missing", "k", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(ReadIni(c.section, c.key, file), c.expected);
  }
  EXPECT_EQ(ReadIni("config", "fontcolor", dir.file("absent.ini")), "");
  EXPECT_EQ(ReadIni("config", "fontcolor", huevox::PathToUtf8(dir.path())), "");  // a folder
}

TEST(ReadIni, CutsLongValuesAt749Characters) {
  TempDir dir;
  const auto file = dir.file("long.ini");
  ASSERT_FALSE(WriteIni("config", "font", std::string(800, 'x'), file));
  EXPECT_EQ(ReadIni("config", "font", file), std::string(749, 'x'));
  // Characters, not bytes: a multi-byte character is never split.
  const std::string letter = LongLetter();
  ASSERT_FALSE(WriteIni("config", "font", std::string(748, 'x') + letter + letter, file));
  EXPECT_EQ(ReadIni("config", "font", file), std::string(748, 'x') + letter);
}

TEST(ReadIni, LargeOrBinaryFilesAreReadQuicklyAndSafely) {
  TempDir dir;
  std::string junk(8u << 20, '\0');
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 7919) % 251);
  dir.write("junk.ini", junk);
  EXPECT_EQ(ReadIni("config", "font", dir.file("junk.ini")), "");
  // Past the read limit a write would lose data, so it is refused.
  EXPECT_TRUE(WriteIni("config", "font", "x", dir.file("junk.ini")));
  EXPECT_EQ(dir.read("junk.ini").size(), junk.size());
}
