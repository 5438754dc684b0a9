#include <gtest/gtest.h>

#include <numeric>

#include "core/tempdir.h"
#include "output/pagetext.h"
#include "settings/fileio.h"
#include "styles/stylecode.h"

using huevox::FontSetting;
using huevox::FontSettingsFileLines;
using huevox::PreviewPageLine;

namespace {

FontSetting Setting(std::string fontColor, std::string background, std::string face,
                    std::string size, int style = 0) {
  return FontSetting{std::move(fontColor), std::move(background), std::move(face), std::move(size),
                     style};
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

struct PageRow {
  const char* name;
  FontSetting setting;
  std::string line;
};

class PreviewPage : public ::testing::TestWithParam<PageRow> {};

TEST_P(PreviewPage, Line) { EXPECT_EQ(PreviewPageLine(GetParam().setting), GetParam().line); }

INSTANTIATE_TEST_SUITE_P(
    Rows, PreviewPage,
    ::testing::Values(
        PageRow{"StartingValues", FontSetting{},
                "<body bgcolor=#FFFFFF><font face=\"Tahoma\" color=#000000 size=1 ptsize=8> This "
                "is what your font will look like! :-P"},
        PageRow{"EmptyFields", Setting("", "", "", ""),
                "<body bgcolor=#><font face=\"\" color=# size=1 ptsize=> This is what your font "
                "will look like! :-P"},
        PageRow{"FaceWithSpaces", Setting("FF0000", "00FF00", "Comic Sans MS", "12"),
                "<body bgcolor=#00FF00><font face=\"Comic Sans MS\" color=#FF0000 size=1 "
                "ptsize=12> This is what your font will look like! :-P"},
        PageRow{"FaceClosingTheTag", Setting("000000", "FFFFFF", "x\"><script>alert(1)</script>", "8"),
                "<body bgcolor=#FFFFFF><font face=\"x&quot;&gt;&lt;script&gt;alert(1)&lt;/"
                "script&gt;\" color=#000000 size=1 ptsize=8> This is what your font will look "
                "like! :-P"},
        PageRow{"AmpersandAndApostrophe", Setting("000000", "FFFFFF", "Tom's & Jerry", "8"),
                "<body bgcolor=#FFFFFF><font face=\"Tom&#39;s &amp; Jerry\" color=#000000 size=1 "
                "ptsize=8> This is what your font will look like! :-P"},
        // Unquoted values: a space or = would start a new attribute.
        PageRow{"AttributeInColour", Setting("000000 onload=x", "FFF\tFFF", "Tahoma", "8 style=`a`"),
                "<body bgcolor=#FFF&#9;FFF><font face=\"Tahoma\" color=#000000&#32;onload&#61;x "
                "size=1 ptsize=8&#32;style&#61;&#96;a&#96;> This is what your font will look "
                "like! :-P"},
        PageRow{"LineBreakAndNonAscii", Setting("000000", "FFFFFF", "Caf\xC3\xA9\r\nX", "8"),
                "<body bgcolor=#FFFFFF><font face=\"Caf&#233;&#13;&#10;X\" color=#000000 size=1 "
                "ptsize=8> This is what your font will look like! :-P"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PreviewPage, LengthsAndFileBytes) {
  EXPECT_EQ(PreviewPageLine(FontSetting{}).size(), 115u);
  EXPECT_EQ(PreviewPageLine(Setting("", "", "", "")).size(), 96u);
  TempDir dir;
  ASSERT_FALSE(huevox::SaveListToFile(dir.file("previewer.htm"), {PreviewPageLine(FontSetting{})}));
  const std::string bytes = dir.read("previewer.htm");
  EXPECT_EQ(bytes.size(), 117u);
  EXPECT_EQ(bytes.substr(115), "\r\n");
}

TEST(PreviewPage, StyleIsNotPartOfThePage) {
  FontSetting styled;
  styled.style = 7;
  EXPECT_EQ(PreviewPageLine(styled), PreviewPageLine(FontSetting{}));
}

TEST(PreviewPage, EscapedValueHoldsNoMarkupCharacters) {
  // Every printable ASCII character, as a face and as a colour.
  std::string all;
  for (char c = 0x20; c < 0x7F; ++c) all += c;
  for (const std::string& escaped :
       {huevox::EscapeQuotedAttribute(all), huevox::EscapeUnquotedAttribute(all)}) {
    // Outside references, no character that could end the value remains.
    std::string outside;
    bool inReference = false;
    for (char c : escaped) {
      if (c == '&') inReference = true;
      if (!inReference) outside += c;
      if (c == ';') inReference = false;
    }
    EXPECT_EQ(outside.find_first_of("<>\"'"), std::string::npos) << escaped;
  }
  EXPECT_EQ(huevox::EscapeUnquotedAttribute(all).find_first_of(" =`"), std::string::npos);
  EXPECT_NE(huevox::EscapeQuotedAttribute(all).find(' '), std::string::npos);
}

const std::vector<std::string> kStartingFile = {
    "Config {",      " version 1",        "}",
    "User {",        " ScreenName ''newuser'", "}",
    "IM {",          " font {",           "  windowColor #FFFFFF",
    "  textColor #000000", "  Size 8",    "  Face Tahoma",
    "  Style 0",     "  Script 0",        "  Zoom 100",
    " }",            "}"};

TEST(FontSettingsFile, StartingValues) {
  const auto lines = FontSettingsFileLines(FontSetting{});
  EXPECT_EQ(lines, kStartingFile);
  EXPECT_EQ(lines[4].size(), 22u);
  EXPECT_EQ(Joined(lines).size(), 186u);
  TempDir dir;
  ASSERT_FALSE(huevox::SaveListToFile(dir.file("font.blt"), lines));
  EXPECT_EQ(dir.read("font.blt"), Joined(kStartingFile));
}

struct FileRow {
  const char* name;
  FontSetting setting;
  // Lines 9 to 13; the rest never changes.
  std::vector<std::string> valueLines;
};

class FontSettingsFileRows : public ::testing::TestWithParam<FileRow> {};

TEST_P(FontSettingsFileRows, ValueLines) {
  const auto lines = FontSettingsFileLines(GetParam().setting);
  ASSERT_EQ(lines.size(), 17u);
  std::vector<std::string> expected = kStartingFile;
  std::copy(GetParam().valueLines.begin(), GetParam().valueLines.end(), expected.begin() + 8);
  EXPECT_EQ(lines, expected);
}

// The style code comes from the first checked box: Style 6 stands for 7, Style 7 for 0.
INSTANTIATE_TEST_SUITE_P(
    Rows, FontSettingsFileRows,
    ::testing::Values(
        FileRow{"Style7FromBox6", Setting("000000", "FFFFFF", "Tahoma", "8", 7),
                {"  windowColor #FFFFFF", "  textColor #000000", "  Size 8", "  Face Tahoma",
                 "  Style 7"}},
        FileRow{"Style3", Setting("000000", "FFFFFF", "Tahoma", "8", 3),
                {"  windowColor #FFFFFF", "  textColor #000000", "  Size 8", "  Face Tahoma",
                 "  Style 3"}},
        FileRow{"EmptySizeKeepsTheSpace", Setting("123456", "ABCDEF", "Arial", ""),
                {"  windowColor #ABCDEF", "  textColor #123456", "  Size ", "  Face Arial",
                 "  Style 0"}},
        FileRow{"ComicSans", Setting("000000", "FFFFFF", "Comic Sans MS", "10", 1),
                {"  windowColor #FFFFFF", "  textColor #000000", "  Size 10",
                 "  Face Comic Sans MS", "  Style 1"}},
        FileRow{"LineBreakCannotAddLines", Setting("000000", "FFFFFF", "A\r\n}\nUser {", "8"),
                {"  windowColor #FFFFFF", "  textColor #000000", "  Size 8",
                 "  Face A  } User {", "  Style 0"}},
        FileRow{"OutOfRangeStyle", Setting("000000", "FFFFFF", "Tahoma", "8", 12),
                {"  windowColor #FFFFFF", "  textColor #000000", "  Size 8", "  Face Tahoma",
                 "  Style 0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FontSettingsFile, StyleLineFollowsTheFirstCheckedBox) {
  struct Row {
    std::array<bool, huevox::kStyleBoxCount> boxes;
    const char* line;
  };
  const Row rows[] = {
      {{false, false, false, false, false, true, false}, "  Style 7"},
      {{false, false, false, false, false, false, true}, "  Style 0"},
      {{false, false, true, false, true, false, false}, "  Style 3"},  // two boxes: the lower wins
      {{false, false, false, false, false, false, false}, "  Style 0"},
  };
  for (const Row& row : rows) {
    FontSetting setting;
    setting.style = huevox::StyleCodeFromBoxes(row.boxes);
    EXPECT_EQ(FontSettingsFileLines(setting)[12], row.line);
  }
}
