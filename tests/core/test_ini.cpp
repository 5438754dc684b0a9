#include <gtest/gtest.h>

#include "core/tempdir.h"
#include "settings/ini.h"

using huevox::ReadIni;
using huevox::WriteIni;

// Each line of a hand-made section, the key asked for, and what the profile rules give.
TEST(ReadIni, FollowsTheProfileRules) {
  const struct {
    const char *line, *key, *expected;
  } rows[] = {
      {"\tFontColor\t=  00FF00 ", "fontcolor", "00FF00"},  // case and blanks round names ignored
      {"BGCOLOR=\"  quoted  \"", "bgcolor", "  quoted  "},   // one pair of quotes dropped
      {"font=''", "font", ""},
      {"size=\"8'", "size", "\"8'"},                         // unmatched quotes stay
      {"STYLE=2\x1A", "Style", "2"},                         // Ctrl-Z is a blank
      {"style=5", "STYLE", "2"},                             // the first key wins
      {"url=a=b", "url", "a=b"},                             // split at the first '='
      {"vt=\v x\v\f", "vt", "x"},                            // so are vertical tab and form feed
      {"no equals sign", "no equals sign", ""},
  };
  std::string file = "top=ignored\r\n[ Config ]\n";  // lines before any section belong to none
  for (const auto& row : rows) file += std::string(row.line) + "\r";
  TempDir dir;
  dir.write("hand.ini", file + "[config]\nextra=the first section wins\n[last]\nk=no line end");
  for (const auto& row : rows) EXPECT_EQ(ReadIni("config", row.key, dir.file("hand.ini")), row.expected) << row.line;
  for (const char* key : {"top", "extra"}) EXPECT_EQ(ReadIni("CONFIG", key, dir.file("hand.ini")), "") << key;
  EXPECT_EQ(ReadIni("last", "k", dir.file("hand.ini")), "no line end");
  EXPECT_EQ(ReadIni("config", "fontcolor", dir.file("")), "");  // a folder, as a missing file
}

// A byte order mark says UTF-8 or UTF-16 whatever the code page; a write keeps it.
TEST(WriteIni, FilesWithAByteOrderMarkStayInTheirEncoding) {
  const auto utf16 = [](std::u16string s) {  // as Notepad saves "Unicode"; this machine is little-endian
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(s.data()), s.size() * 2);
  };
  const std::pair<std::string, std::string> cases[] = {
      {"\xEF\xBB\xBF[config]\r\nFONT=Trébuchet\r\n", "\xEF\xBB\xBF[config]\r\nFONT=Trébuchet\r\nSIZE=Été\r\n"},
      {utf16(u"[config]\r\nFONT=Trébuchet\r\n"), utf16(u"[config]\r\nFONT=Trébuchet\r\nSIZE=Été\r\n")},
  };
  for (const auto& [before, after] : cases) {
    TempDir dir;
    dir.write("p.ini", before);
    EXPECT_EQ(ReadIni("config", "font", dir.file("p.ini")), "Trébuchet");
    ASSERT_FALSE(WriteIni("config", "size", "Été", dir.file("p.ini")));
    EXPECT_EQ(dir.read("p.ini"), after);
  }
}

TEST(WriteIni, EditsInPlaceAndKeepsEveryOtherLine) {
  TempDir dir;
  const std::string file = dir.file("p.ini");
  ASSERT_FALSE(WriteIni("config", "Style", "1", file));  // a new file
  ASSERT_FALSE(WriteIni("config", "font", "a\r\nb\nc", file));
  EXPECT_EQ(dir.read("p.ini"), "[config]\r\nSTYLE=1\r\nFONT=a  b c\r\n");

  std::string expected = "; by hand\n[Other]\nsize=3\n\n[CONFIG]\r\n  FontColor = 0F  \r\nodd line\r\n"
                         "Font=Arial\r\n\r\n[tail]\nx=\xE9";  // a code-page byte, no final line end
  dir.write("p.ini", expected);
  ASSERT_FALSE(WriteIni("config", "fontcolor", "112233", file));
  expected.replace(expected.find("  FontColor = 0F  "), 18, "FONTCOLOR=112233");
  EXPECT_EQ(dir.read("p.ini"), expected);
  ASSERT_FALSE(WriteIni("config", "size", "10", file));  // at the end of its section, before the blank
  expected.insert(expected.find("Font=Arial\r\n") + 12, "SIZE=10\r\n");
  EXPECT_EQ(dir.read("p.ini"), expected);
  ASSERT_FALSE(WriteIni("new", "k", "v", file));  // a new section at the end
  EXPECT_EQ(dir.read("p.ini"), expected + "\r\n[new]\r\nK=v\r\n");
}

TEST(ReadIni, CutsLongValuesAt749CharactersAndReadsHugeFilesOnlyInPart) {
  TempDir dir;
  ASSERT_FALSE(WriteIni("config", "font", std::string(800, 'x'), dir.file("long.ini")));
  EXPECT_EQ(ReadIni("config", "font", dir.file("long.ini")), std::string(749, 'x'));
  ASSERT_FALSE(WriteIni("config", "font", std::string(748, 'x') + "§§", dir.file("long.ini")));
  EXPECT_EQ(ReadIni("config", "font", dir.file("long.ini")), std::string(748, 'x') + "§");  // never split
  const std::string huge = std::string(5u << 20, '\n') + "[config]\r\nFONT=x\r\n";
  dir.write("huge.ini", huge);
  EXPECT_EQ(ReadIni("config", "font", dir.file("huge.ini")), "");
  // Past the read limit a write would lose data, so it is refused.
  EXPECT_EQ(WriteIni("config", "font", "y", dir.file("huge.ini")), std::errc::file_too_large);
  EXPECT_EQ(dir.read("huge.ini"), huge);
}
