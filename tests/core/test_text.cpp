#include <gtest/gtest.h>

#include "settings/textcodec.h"
#include "settings/textutil.h"

using huevox::ReplaceText;

struct ReplaceCase {
  const char* text;
  const char* search;
  const char* replacement;
  const char* expected;
};

// Preset names are made by removing ".ini"; the odd cases pin down the scan order.
TEST(ReplaceText, MatchesWithoutCaseAndNeverRescansInsertedText) {
  const ReplaceCase cases[] = {
      {"Summer.ini", ".ini", "", "Summer"},
      {"SUMMER.INI", ".ini", "", "SUMMER"},
      {"Blue.INI", ".ini", "", "Blue"},
      {"a.ini.ini", ".ini", "", "a"},
      {"a.ini.b.ini", ".ini", "", "a.b"},
      {"aXa", "a", "aa", "aaXaa"},         // inserted text is not searched again
      {"aaa", "aa", "b", "ba"},            // matches never overlap
      {"abcabc", "B", "xyz", "axyzcaxyzc"},  // the rest keeps its case
      {"..iniini", ".ini", "", ".ini"},    // an occurrence joined across a removal stays
      {"", ".ini", "", ""},
      {"no match", ".ini", "", "no match"},
      {"ÉTÉ.INI", "été.ini", "x", "x"},    // accented capitals fold too
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReplaceText(c.text, c.search, c.replacement), c.expected);
  }
}

TEST(ReplaceText, EmptySearchLeavesTextUnchanged) {
  EXPECT_EQ(ReplaceText("abc", "", "x"), "abc");
}

#ifndef _WIN32
// Windows reads files in its ANSI code page instead: see test_win32.cpp.
TEST(TextCodec, BytesThatAreNotUtf8AreReadAsWindows1252) {
  EXPECT_EQ(huevox::DecodeFileText("Tr\xE9" "buchet"), "Trébuchet");
  EXPECT_EQ(huevox::DecodeFileText("\x80 \x93q\x94"), "€ “q”");
  EXPECT_EQ(huevox::DecodeFileText("Trébuchet"), "Trébuchet");  // valid UTF-8 stays
  // A truncated sequence is not swallowed with the byte after it.
  EXPECT_EQ(huevox::DecodeFileText("\xC3" "A"), "ÃA");
}
#endif

TEST(TextCodec, FoldCaseKeepsOneCharacterPerCharacter) {
  EXPECT_TRUE(huevox::EqualsIgnoreCase("ŁÓDŹ Ελλάδα", "łódź ελλάδα"));
  EXPECT_TRUE(huevox::EqualsIgnoreCase("ПРЕСЕТ", "пресет"));
  EXPECT_FALSE(huevox::EqualsIgnoreCase("a", "ab"));
  EXPECT_FALSE(huevox::EqualsIgnoreCase("×", "÷"));  // not a case pair
}
