#include <gtest/gtest.h>

#include "colortools/colourcode.h"

using namespace huevox;

namespace {

struct ColourRow {
  std::uint32_t colour;
  const char* value;
  const char *red, *green, *blue;
  const char* hex;
};

class DescribeColourTest : public testing::TestWithParam<ColourRow> {};

TEST_P(DescribeColourTest, TextsOfTheColourValue) {
  const ColourRow& row = GetParam();
  const ColourTexts texts = DescribeColour(row.colour);
  EXPECT_EQ(texts.value, row.value);
  EXPECT_EQ(texts.red, row.red);
  EXPECT_EQ(texts.green, row.green);
  EXPECT_EQ(texts.blue, row.blue);
  EXPECT_EQ(texts.hex, row.hex);
  EXPECT_EQ(ColourValueFromText(texts.value), row.colour);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DescribeColourTest,
    testing::Values(ColourRow{16777215, "16777215", "255", "255", "255", "FFFFFF"},
                    ColourRow{0, "0", "0", "0", "0", "000000"},
                    ColourRow{33023, "33023", "255", "128", "0", "FF8000"},
                    ColourRow{16711680, "16711680", "0", "0", "255", "0000FF"},
                    ColourRow{13108490, "13108490", "10", "5", "200", "0A05C8"},
                    ColourRow{12632256, "12632256", "192", "192", "192", "C0C0C0"},
                    ColourRow{0x000F1001, "987137", "1", "16", "15", "01100F"}));

TEST(ColourCode, ChannelsInBuildsTheValue) {
  EXPECT_EQ(ColourValue(10, 5, 200), 13108490u);
  EXPECT_EQ(ColourValue(255, 128, 0), 33023u);
}

TEST(ColourCode, OnlyWholeColourValuesReadBack) {
  EXPECT_EQ(ColourValueFromText(""), std::nullopt);
  EXPECT_EQ(ColourValueFromText("-1"), std::nullopt);
  EXPECT_EQ(ColourValueFromText("16777216"), std::nullopt);
  EXPECT_EQ(ColourValueFromText("12 "), std::nullopt);
  EXPECT_EQ(ColourValueFromText("4294967296"), std::nullopt);
  EXPECT_EQ(ColourValueFromText("016"), 16u);
}

}  // namespace
