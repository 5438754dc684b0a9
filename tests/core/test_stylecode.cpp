#include <gtest/gtest.h>

#include "styles/stylecode.h"

// The boxes and their codes are checked in the Styles window (tst_mainwindow); here the file's text.
TEST(StyleCode, OnlyWholeNumbersWithABoxAreRead) {
  EXPECT_EQ(huevox::StyleBoxForText("7"), 6);
  EXPECT_EQ(huevox::StyleBoxForText(" 0 "), 7);
  for (const char* text : {"6", "8", "-1", "", "2x", "99999999999999"}) EXPECT_EQ(huevox::StyleBoxForText(text), std::nullopt) << text;
}
