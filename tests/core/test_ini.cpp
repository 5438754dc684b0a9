#include <gtest/gtest.h>

#include "core/tempdir.h"
#include "settings/ini.h"

using namespace huevox;

namespace {
std::string Read(const std::string& bytes, const char* section, const char* key) {
  return ReadIni(IniDocument::FromBytes(bytes), section, key);
}
}  // namespace

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
  const IniDocument doc = IniDocument::FromBytes(file + "[config]\nextra=the first section wins\n[last]\nk=no line end");
  for (const auto& row : rows) EXPECT_EQ(ReadIni(doc, "config", row.key), row.expected) << row.line;
  for (const char* key : {"top", "extra"}) EXPECT_EQ(ReadIni(doc, "CONFIG", key), "") << key;
  EXPECT_EQ(ReadIni(doc, "last", "k"), "no line end");
}

// A byte order mark says UTF-8 or UTF-16 whatever the code page.
TEST(ReadIni, ByteOrderMarksChooseTheEncoding) {
  const std::u16string utf16 = u"\xFEFF[config]\r\nFONT=Trébuchet\r\n";  // as Notepad saves "Unicode"
  std::string little, big;
  for (char16_t c : utf16) {
    little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  }
  for (const std::string& bytes : {std::string("\xEF\xBB\xBF[config]\r\nFONT=Trébuchet\r\n"), little, big})
    EXPECT_EQ(Read(bytes, "config", "font"), "Trébuchet");
}

TEST(ReadIni, CutsLongValuesAt749CharactersAndReadsHugeFilesOnlyInPart) {
  EXPECT_EQ(Read("[config]\r\nFONT=" + std::string(800, 'x'), "config", "font"), std::string(749, 'x'));
  EXPECT_EQ(Read("\xEF\xBB\xBF[config]\r\nFONT=" + std::string(748, 'x') + "§§", "config", "font"),
            std::string(748, 'x') + "§");  // never split
  TempDir dir;
  dir.write("huge.ini", std::string(5u << 20, '\n') + "[config]\r\nFONT=x\r\n");
  EXPECT_EQ(ReadIni(*ReadIniFile(dir.file("huge.ini")), "config", "font"), "");
  EXPECT_FALSE(ReadIniFile(dir.file("")));  // a folder, as a missing file
}
