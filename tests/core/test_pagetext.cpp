#include <gtest/gtest.h>

#include "output/pagetext.h"

using namespace huevox;

constexpr const char* kTail = "> This is what your font will look like! :-P";

struct PageRow {
  const char* name;
  FontSetting setting;
  std::string start;  // the line up to kTail
};

class PreviewPage : public ::testing::TestWithParam<PageRow> {};

TEST_P(PreviewPage, Line) {
  EXPECT_EQ(PreviewPageLine(GetParam().setting), GetParam().start + kTail);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PreviewPage,
    ::testing::Values(
        PageRow{"StartingValuesStyleLeftOut", FontSetting{"000000", "FFFFFF", "Tahoma", "8", 7},
                "<body bgcolor=#FFFFFF><font face=\"Tahoma\" color=#000000 size=1 ptsize=8"},
        PageRow{"EmptyFields", FontSetting{"", "", "", ""},
                "<body bgcolor=#><font face=\"\" color=# size=1 ptsize="},
        PageRow{"FaceClosingTheTag", FontSetting{"0", "F", "x\"><script>'&", "8"},
                "<body bgcolor=#F><font face=\"x&quot;&gt;&lt;script&gt;&#39;&amp;\" color=#0 "
                "size=1 ptsize=8"},
        // Unquoted values: a space or = would start a new attribute.
        PageRow{"AttributeInColour", FontSetting{"0 onload=x", "F\tF", "T", "8 style=`a`"},
                "<body bgcolor=#F&#9;F><font face=\"T\" color=#0&#32;onload&#61;x size=1 "
                "ptsize=8&#32;style&#61;&#96;a&#96;"},
        PageRow{"LineBreakAndNonAscii", FontSetting{"0", "F", "Caf\xC3\xA9\r\nX", "8"},
                "<body bgcolor=#F><font face=\"Caf&#233;&#13;&#10;X\" color=#0 size=1 ptsize=8"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FileRow {
  const char* name;
  FontSetting setting;
  std::vector<std::string> valueLines;  // lines 9 to 13; the rest never changes
};

class FontSettingsFile : public ::testing::TestWithParam<FileRow> {};

TEST_P(FontSettingsFile, Lines) {
  const std::vector<std::string>& v = GetParam().valueLines;
  const std::vector<std::string> expected = {
      "Config {", " version 1", "}", "User {", " ScreenName ''newuser'", "}", "IM {", " font {",
      v[0], v[1], v[2], v[3], v[4], "  Script 0", "  Zoom 100", " }", "}"};
  EXPECT_EQ(FontSettingsFileLines(GetParam().setting), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FontSettingsFile,
    ::testing::Values(
        FileRow{"StartingValues", FontSetting{},
                {"  windowColor #FFFFFF", "  textColor #000000", "  Size 8", "  Face Tahoma",
                 "  Style 0"}},
        // The size line keeps its space; a style outside 0 to 7 is written as 0.
        FileRow{"EmptySizeStyleOutOfRange", FontSetting{"123456", "ABCDEF", "Comic Sans MS", "", 12},
                {"  windowColor #ABCDEF", "  textColor #123456", "  Size ",
                 "  Face Comic Sans MS", "  Style 0"}},
        FileRow{"LineBreakCannotAddLines", FontSetting{"0", "F", "A\r\n}\nUser {", "8", 3},
                {"  windowColor #F", "  textColor #0", "  Size 8", "  Face A  } User {",
                 "  Style 3"}}),
    [](const auto& info) { return std::string(info.param.name); });
