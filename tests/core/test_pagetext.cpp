#include <gtest/gtest.h>

#include "output/pagetext.h"

using namespace huevox;

TEST(PreviewPage, Line) {
  const struct {
    FontSetting setting;
    std::string start;  // the line up to the text
  } rows[] = {
      {{"000000", "FFFFFF", "Tahoma", "8", 7},  // the style is left out
       "<body bgcolor=#FFFFFF><font face=\"Tahoma\" color=#000000 size=1 ptsize=8"},
      {{"", "", "", ""}, "<body bgcolor=#><font face=\"\" color=# size=1 ptsize="},
      {{"0", "F", "x\"><script>'&", "8"},  // a face closing the tag
       "<body bgcolor=#F><font face=\"x&quot;&gt;&lt;script&gt;&#39;&amp;\" color=#0 size=1 ptsize=8"},
      // Unquoted values: a space or = would start a new attribute.
      {{"0 onload=x", "F\tF", "T", "8 style=`a`"},
       "<body bgcolor=#F&#9;F><font face=\"T\" color=#0&#32;onload&#61;x size=1 ptsize=8&#32;style&#61;&#96;a&#96;"},
      // Every ASCII mark in an unquoted value: only blanks, '>', '&', quotes, '<', '=' and '`' could end or bend it.
      {{"0", "F", "T", "8 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"},
       "<body bgcolor=#F><font face=\"T\" color=#0 size=1 ptsize=8&#32;!&quot;#$%&amp;&#39;()*+,-./:;&lt;&#61;&gt;?@[\\]^_&#96;{|}~"},
      {{"0", "F", "Caf\xC3\xA9\r\nX\xC2\x80\xC2\x9F\x7F", "8"},  // C1 controls as themselves
       "<body bgcolor=#F><font face=\"Caf&#233;&#13;&#10;X\xC2\x80\xC2\x9F&#127;\" color=#0 size=1 ptsize=8"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(PreviewPageLine(row.setting), row.start + "> This is what your font will look like! :-P") << row.start;
}

TEST(FontSettingsFile, Lines) {
  const struct {
    FontSetting setting;
    std::vector<std::string> valueLines;  // lines 9 to 13; the rest never changes
  } rows[] = {
      {FontSetting{}, {"  windowColor #FFFFFF", "  textColor #000000", "  Size 8", "  Face Tahoma", "  Style 0"}},
      // The size line keeps its space; a style outside 0 to 7 is written as 0.
      {{"123456", "ABCDEF", "Comic Sans MS", "", 12},
       {"  windowColor #ABCDEF", "  textColor #123456", "  Size ", "  Face Comic Sans MS", "  Style 0"}},
      // A line break cannot add lines.
      {{"0", "F", "A\r\n}\nUser {", "8", 3},
       {"  windowColor #F", "  textColor #0", "  Size 8", "  Face A  } User {", "  Style 3"}},
  };
  for (const auto& row : rows) {
    const std::vector<std::string>& v = row.valueLines;
    const std::vector<std::string> expected = {
        "Config {", " version 1", "}", "User {", " ScreenName ''newuser'", "}", "IM {", " font {",
        v[0], v[1], v[2], v[3], v[4], "  Script 0", "  Zoom 100", " }", "}"};
    EXPECT_EQ(FontSettingsFileLines(row.setting), expected) << v[3];
  }
}
