#include <gtest/gtest.h>

#include "colortools/colourcode.h"

using namespace huevox;

TEST(ColourCode, TextsOfTheColourValue) {
  const struct {
    std::uint32_t colour;
    const char *value, *red, *green, *blue, *hex;
  } rows[] = {
      {16777215, "16777215", "255", "255", "255", "FFFFFF"}, {0, "0", "0", "0", "0", "000000"},
      {33023, "33023", "255", "128", "0", "FF8000"},         {16711680, "16711680", "0", "0", "255", "0000FF"},
      {13108490, "13108490", "10", "5", "200", "0A05C8"},    {0x000F1001, "987137", "1", "16", "15", "01100F"},
  };
  for (const auto& row : rows) {
    const ColourTexts texts = DescribeColour(row.colour);
    EXPECT_EQ(texts.value + " " + texts.red + " " + texts.green + " " + texts.blue + " " + texts.hex,
              std::string(row.value) + " " + row.red + " " + row.green + " " + row.blue + " " + row.hex);
    EXPECT_EQ(ColourValueFromText(texts.value), row.colour);
    EXPECT_EQ(ColourValue(std::stoi(row.red), std::stoi(row.green), std::stoi(row.blue)), row.colour);
  }
  for (const char* text : {"", "-1", "16777216", "12 ", "4294967296"})
    EXPECT_EQ(ColourValueFromText(text), std::nullopt) << text;
  EXPECT_EQ(ColourValueFromText("016"), 16u);
}
