#include <gtest/gtest.h>

#include <cstdlib>

#include "core/tempdir.h"
#include "settings/hexcode.h"
#include "settings/ini.h"
#include "settings/presetstore.h"

using namespace huevox;
using Outcome = SaveResult::Outcome;

TEST(HexCode, ReversesTheBytesOfTheColourValue) {
  const std::pair<ColorValue, const char*> table[] = {
      {0, "000000"},         {255, "FF0000"},       {128, "800000"},
      {65280, "00FF00"},     {32768, "008000"},     {16711680, "0000FF"},
      {1193046, "563412"},   {658188, "0C0B0A"},    {16777215, "FFFFFF"},
      {0xFF123456, "563412"},  // bits above the colour are not part of it
  };
  for (const auto& [value, code] : table) {
    SCOPED_TRACE(value);
    EXPECT_EQ(HexCodeFromColorValue(value), code);
  }
  EXPECT_EQ(ColorValueFromRgb(10, 5, 200), 0x00C8050Au);
}

TEST(PresetName, RefusesWhatCannotBeAFileName) {
  const std::string refused[] = {"a/b", "a\\b", "a:b", "a*", "what?", "say \"hi\"", "<x>", "a|b",
                           "tab\there", "line\nbreak", "ends.", "ends ", "...", " . ",
                           "CON", "con", "Nul.txt", "COM1", "lpt9", "AUX .x",
                                 ".hidden", std::string(252, 'x')};
  for (const std::string& name : refused) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(PresetNameProblem(name).has_value());
  }
  const std::string allowed[] = {"Summer", "x.ini", "Ocean Breeze", "COM10", "CONSOLE", "LPT",
                                 "été", "a.b.c", std::string(251, 'x')};
  for (const std::string& name : allowed) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(PresetNameProblem(name).has_value());
  }
}

TEST(PresetFile, SameBytesAsFiveProfileWritesOnANewFile) {
  TempDir dir;
  FontSetting s{"FF0000", "FFFFFF", "Comic Sans MS", "8", 2};
  const std::string path = dir.file("by-writes.ini");
  WriteIni("config", "fontcolor", s.fontColor, path);
  WriteIni("config", "bgcolor", s.backgroundColor, path);
  WriteIni("config", "font", s.face, path);
  WriteIni("config", "size", s.size, path);
  WriteIni("config", "Style", "2", path);
  EXPECT_EQ(PresetFileBytes(s), dir.read("by-writes.ini"));
  EXPECT_EQ(PresetFileBytes(s),
            "[config]\r\nFONTCOLOR=FF0000\r\nBGCOLOR=FFFFFF\r\nFONT=Comic Sans MS\r\nSIZE=8\r\n"
            "STYLE=2\r\n");
  // A line break typed into a field cannot start a line of its own.
  s.face = "Evil\r\nSTYLE=5";
  EXPECT_EQ(LoadPreset(dir.file("by-writes.ini"))->style, 2);
  EXPECT_NE(PresetFileBytes(s).find("FONT=Evil  STYLE=5\r\n"), std::string::npos);
}

TEST(SavePreset, OutcomesOfASave) {
  TempDir dir;
  const std::string folder = dir.file("presets");  // made by the first save
  const FontSetting s;
  EXPECT_EQ(SavePreset(folder, "", s).outcome, Outcome::NoName);
  EXPECT_EQ(SavePreset(folder, "a*b", s).outcome, Outcome::Refused);
  EXPECT_EQ(SavePreset(folder, "Summer", s).outcome, Outcome::Saved);
  EXPECT_EQ(dir.read("presets/Summer.ini"),
            "[config]\r\nFONTCOLOR=000000\r\nBGCOLOR=FFFFFF\r\nFONT=Tahoma\r\nSIZE=8\r\nSTYLE=0\r\n");
  EXPECT_EQ(SavePreset(folder, "summer", s).outcome, Outcome::Exists);  // any case
  EXPECT_EQ(SavePreset(folder, "x.ini", s).outcome, Outcome::Saved);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "presets" / "x.ini.ini"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "presets"),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(SavePreset, FailedWriteIsReportedAndLeavesNothingBehind) {
  TempDir dir;
  dir.write("plain", "x");
  const SaveResult result = SavePreset(dir.file("plain"), "Summer", FontSetting{});
  EXPECT_EQ(result.outcome, Outcome::Failed);
  EXPECT_FALSE(result.reason.empty());
#ifdef __linux__
  std::filesystem::create_directory(dir.path() / "locked");
  const std::string locked = dir.file("locked");
  if (std::system(("chattr +i " + locked + " 2>/dev/null").c_str()) == 0) {
    EXPECT_EQ(SavePreset(locked, "Summer", FontSetting{}).outcome, Outcome::Failed);
    std::system(("chattr -i " + locked).c_str());
    EXPECT_TRUE(std::filesystem::is_empty(locked));
  }
#endif
}

TEST(LoadPreset, TakesValuesAsStoredAndOnlyKnownStyles) {
  TempDir dir;
  dir.write("hand.ini", "[Config]\nFontColor=00FF00\nbgColor=#FF0000\nfont=Comic Sans MS\nSTYLE=7\n");
  dir.write("six.ini", "[config]\nFONTCOLOR=red\nSTYLE=6\n");
  dir.write("none.ini", "[config]\nFONTCOLOR=123456\n");

  const auto hand = LoadPreset(dir.file("hand.ini"));
  ASSERT_TRUE(hand);
  EXPECT_EQ(hand->fontColor, "00FF00");
  EXPECT_EQ(hand->backgroundColor, "#FF0000");  // the box cuts it, not the store
  EXPECT_EQ(hand->face, "Comic Sans MS");
  EXPECT_EQ(hand->size, "");
  EXPECT_EQ(hand->style, 7);

  EXPECT_EQ(LoadPreset(dir.file("six.ini"))->fontColor, "red");
  EXPECT_EQ(LoadPreset(dir.file("six.ini"))->style, std::nullopt);
  EXPECT_EQ(LoadPreset(dir.file("none.ini"))->style, std::nullopt);
  EXPECT_EQ(LoadPreset(dir.file("gone.ini")), std::nullopt);
}
