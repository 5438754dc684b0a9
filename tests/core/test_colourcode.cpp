#include <gtest/gtest.h>

#include "colortools/colourcode.h"

using namespace huevox;

// The spy's texts of a picked colour are checked on screen (tst_colortools); here the edge values.
TEST(ColourCode, TextsOfTheColourValueAndBack) {
  const ColourTexts t = DescribeColour(0x000F1001);  // red in the lowest byte
  EXPECT_EQ(t.value + " " + t.red + " " + t.green + " " + t.blue + " " + t.hex, "987137 1 16 15 01100F");
  EXPECT_EQ(DescribeColour(16777215).hex, "FFFFFF");
  for (const char* text : {"", "-1", "16777216", "12 ", "4294967296"}) EXPECT_FALSE(ColourValueFromText(text)) << text;
  EXPECT_EQ(ColourValueFromText("016"), 16u);
}
