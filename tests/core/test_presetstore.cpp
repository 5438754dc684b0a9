#include <gtest/gtest.h>

#include "core/tempdir.h"
#include "settings/presetfolder.h"
#include "settings/presetstore.h"

using namespace huevox;
using Outcome = SaveResult::Outcome;

TEST(PresetName, RefusesWhatCannotBeAFileName) {
  for (const std::string& name : std::initializer_list<std::string>{"a/b", "a\\b", "a:b", "a*", "what?", "\"hi\"", "<x>", "a|b", "tab\t",
                                 "line\nbreak", "ends.", "ends ", " . ", "con", "Nul.txt", "COM1", "lpt9",
                                 "AUX .x", ".hidden", std::string(252, 'x')})
    EXPECT_TRUE(PresetNameProblem(name)) << name;
  for (const std::string& name : std::initializer_list<std::string>{"Summer", "x.ini", "COM10", "CONSOLE", "été", std::string(251, 'x')})
    EXPECT_FALSE(PresetNameProblem(name)) << name;
}

TEST(SavePreset, OutcomesOfASave) {
  TempDir dir;
  const std::string folder = dir.file("presets");  // made by the first save
  FontSetting s;
  s.face = "Evil\r\nSTYLE=5";  // a line break typed into a field cannot start a line
  EXPECT_EQ(SavePreset(folder, "", s).outcome, Outcome::NoName);
  EXPECT_EQ(SavePreset(folder, "a*b", s).outcome, Outcome::Refused);
  EXPECT_EQ(SavePreset(folder, "Summer", s).outcome, Outcome::Saved);
  EXPECT_EQ(dir.read("presets/Summer.ini"), "[config]\r\nFONTCOLOR=000000\r\nBGCOLOR=FFFFFF\r\n"
                                            "FONT=Evil  STYLE=5\r\nSIZE=8\r\nSTYLE=0\r\n");
  EXPECT_EQ(SavePreset(folder, "summer", {}).outcome, Outcome::Exists);  // any case
  EXPECT_EQ(dir.read("presets/Summer.ini").find("Tahoma"), std::string::npos);
  EXPECT_EQ(SavePreset(folder, "x.ini", s).outcome, Outcome::Saved);
  // The longest name that fits: its temporary file must fit as well.
  EXPECT_EQ(SavePreset(folder, std::string(251, 'n'), s).outcome, Outcome::Saved);
  EXPECT_EQ(ListPresetFiles(folder), std::vector<std::string>({std::string(251, 'n') + ".ini", "Summer.ini", "x.ini.ini"}));
#ifndef _WIN32
  // A link to a file that has gone still names a preset: it is never replaced.
  std::filesystem::create_symlink(dir.at("elsewhere.ini"), dir.at("presets/Gone.ini"));
  EXPECT_EQ(SavePreset(folder, "Gone", s).outcome, Outcome::Exists);
  EXPECT_FALSE(std::filesystem::exists(dir.at("elsewhere.ini")));
#endif
  const SaveResult failed = SavePreset(dir.file("presets/Summer.ini"), "Summer", s);  // a file as folder
  EXPECT_EQ(failed.outcome, Outcome::Failed);
  EXPECT_FALSE(failed.reason.empty());
}

TEST(LoadPreset, TakesValuesAsStoredAndOnlyKnownStyles) {
  TempDir dir;
  dir.write("hand.ini", "[Config]\nFontColor=00FF00\nbgColor=#FF0000\nfont=Comic Sans MS\nSTYLE=7\n");
  const auto hand = LoadPreset(dir.file("hand.ini"));
  ASSERT_TRUE(hand);
  EXPECT_EQ(hand->fontColor + "|" + hand->backgroundColor + "|" + hand->face + "|" + hand->size,
            "00FF00|#FF0000|Comic Sans MS|");  // the box cuts a colour, not the store
  EXPECT_EQ(hand->style, 7);
  for (const char* style : {"6", "", "2x"}) {
    dir.write("odd.ini", std::string("[config]\nSTYLE=") + style + "\n");
    EXPECT_EQ(LoadPreset(dir.file("odd.ini"))->style, std::nullopt) << style;
  }
  EXPECT_EQ(LoadPreset(dir.file("gone.ini")), std::nullopt);
  EXPECT_EQ(LoadPreset(dir.file("")), std::nullopt);  // a folder cannot be read
}

#ifndef _WIN32
// A name that is not UTF-8 (here Windows-1252) is shown decoded and found again by its bytes.
TEST(PresetFolder, NamesThatAreNotUtf8KeepTheirBytes) {
  TempDir dir;
  std::ofstream(dir.path() / "caf\xE9.ini") << "[config]\nFONT=Verdana\n";
  std::ofstream(dir.path() / "café.ini") << "[config]\nFONT=Arial\n";
  const std::vector<std::string> names = ListPresetFiles(dir.file(""));
  ASSERT_EQ(names.size(), 2u);
  for (const std::string& name : names) {
    EXPECT_EQ(PresetDisplayName(name), "café");
    EXPECT_EQ(LoadPreset(dir.file("") + name)->face, name == "café.ini" ? "Arial" : "Verdana");
  }
}
#endif
