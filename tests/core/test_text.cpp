#include <gtest/gtest.h>

#include "settings/textcodec.h"
#include "settings/textutil.h"

// Preset names are made by removing ".ini" (tst_mainwindow lists some); the odd cases pin down the scan order.
TEST(ReplaceText, MatchesWithoutCaseAndNeverRescansInsertedText) {
  const char* cases[][4] = {
      {"aXa", "a", "aa", "aaXaa"},           // inserted text is not searched again
      {"aaa", "aa", "b", "ba"},              // matches never overlap
      {"abcabc", "B", "xyz", "axyzcaxyzc"},  // the rest keeps its case
      {"..iniini", ".ini", "", ".ini"},      // an occurrence joined across a removal stays
      {"ÉTÉ.INI", "été.ini", "x", "x"},      // accented capitals fold too
      {"abc", "", "x", "abc"},               // an empty search changes nothing
  };
  for (const auto& [text, search, replacement, expected] : cases)
    EXPECT_EQ(huevox::ReplaceText(text, search, replacement), expected) << text;
  EXPECT_TRUE(huevox::EqualsIgnoreCase("ŁÓDŹ Ελλάδα ПРЕСЕТ", "łódź ελλάδα пресет"));
  EXPECT_FALSE(huevox::EqualsIgnoreCase("a×", "a÷"));  // not a case pair
}

#ifndef _WIN32
// Windows reads files in its ANSI code page instead: see test_win32.cpp.
TEST(TextCodec, BytesThatAreNotUtf8AreReadAsWindows1252) {
  EXPECT_EQ(huevox::DecodeFileText("Tr\xE9" "buchet \x80 \x93q\x94"), "Trébuchet € “q”");
  EXPECT_EQ(huevox::DecodeFileText("Trébuchet \xC3" "A"), "Trébuchet ÃA");  // a cut sequence keeps the byte after it
}
#endif
