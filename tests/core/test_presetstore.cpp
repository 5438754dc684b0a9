#include <gtest/gtest.h>

#include "core/tempdir.h"
#include "settings/presetfolder.h"
#include "settings/presetstore.h"

using namespace huevox;

TEST(PresetName, RefusesWhatCannotBeAFileName) {
  for (const std::string& name : std::initializer_list<std::string>{
           "a/b", "a\\b", "a:b", "a*", "what?", "\"hi\"", "<x>", "a|b", "tab\t", "line\nbreak", "ends.", "ends ",
           " . ", "con", "Nul.txt", "COM1", "lpt9", "AUX .x", ".hidden", std::string(252, 'x')})
    EXPECT_TRUE(PresetNameProblem(name)) << name;
  for (const std::string& name : std::initializer_list<std::string>{"x.ini", "COM10", "CONSOLE", "été"})
    EXPECT_FALSE(PresetNameProblem(name)) << name;
}

// What the save prompt's answers give is tested through the main window (tst_mainwindow).
TEST(SavePreset, WritesTheWholeFileUnderAnyNameThatFitsAndNeverReplaces) {
  TempDir dir;
  const std::string folder = dir.file("presets");  // made by the first save
  FontSetting s;
  s.face = "Evil\r\nSTYLE=5";  // a line break typed into a field cannot start a line
  EXPECT_EQ(SavePreset(folder, "x.ini", s).outcome, SaveResult::Outcome::Saved);
  EXPECT_EQ(dir.read("presets/x.ini.ini"), "[config]\r\nFONTCOLOR=000000\r\nBGCOLOR=FFFFFF\r\n"
                                           "FONT=Evil  STYLE=5\r\nSIZE=8\r\nSTYLE=0\r\n");
  // The longest name that fits: its temporary file must fit as well.
  EXPECT_EQ(SavePreset(folder, std::string(251, 'n'), s).outcome, SaveResult::Outcome::Saved);
  EXPECT_EQ(ListPresetFiles(folder), std::vector<std::string>({std::string(251, 'n') + ".ini", "x.ini.ini"}));
#ifndef _WIN32
  // A link to a file that has gone still names a preset: it is never replaced.
  std::filesystem::create_symlink(dir.at("elsewhere.ini"), dir.at("presets/Gone.ini"));
  EXPECT_EQ(SavePreset(folder, "Gone", s).outcome, SaveResult::Outcome::Exists);
  EXPECT_FALSE(std::filesystem::exists(dir.at("elsewhere.ini")));
#endif
}
