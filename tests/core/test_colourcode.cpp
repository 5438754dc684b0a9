#include <gtest/gtest.h>

#include "colortools/colourcode.h"

using namespace huevox;

TEST(ColourCode, TextsOfTheColourValue) {
  const std::pair<std::uint32_t, const char*> rows[] = {  // value, then "value red green blue hex"
      {16777215, "16777215 255 255 255 FFFFFF"}, {0, "0 0 0 0 000000"}, {33023, "33023 255 128 0 FF8000"},
      {13108490, "13108490 10 5 200 0A05C8"}, {0x000F1001, "987137 1 16 15 01100F"}};
  for (const auto& [colour, expected] : rows) {
    const ColourTexts t = DescribeColour(colour);
    EXPECT_EQ(t.value + " " + t.red + " " + t.green + " " + t.blue + " " + t.hex, expected);
    EXPECT_EQ(ColourValue(std::stoi(t.red), std::stoi(t.green), std::stoi(t.blue)), colour);
    EXPECT_EQ(ColourValueFromText(t.value), colour);
  }
  for (const char* text : {"", "-1", "16777216", "12 ", "4294967296"}) EXPECT_FALSE(ColourValueFromText(text)) << text;
  EXPECT_EQ(ColourValueFromText("016"), 16u);
}
