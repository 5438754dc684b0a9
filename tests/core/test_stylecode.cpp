#include <gtest/gtest.h>

#include "styles/stylecode.h"

using namespace huevox;

TEST(StyleCode, BoxesAndCodesMapBothWays) {
  const int codes[] = {1, 2, 3, 4, 5, 7, 0};
  for (int box = 1; box <= kStyleBoxCount; ++box) {
    SCOPED_TRACE(box);
    EXPECT_EQ(StyleCodeOfBox(box), codes[box - 1]);
    EXPECT_EQ(StyleBoxForCode(codes[box - 1]), box);
  }
  EXPECT_EQ(StyleBoxForCode(6), std::nullopt);  // bold italic has no box
  EXPECT_EQ(StyleBoxForCode(8), std::nullopt);
  EXPECT_EQ(StyleBoxForCode(-1), std::nullopt);
}

TEST(StyleCode, FirstCheckedBoxDecides) {
  EXPECT_EQ(StyleCodeFromBoxes({}), 0);
  EXPECT_EQ(StyleCodeFromBoxes({false, false, false, false, false, true, false}), 7);
  EXPECT_EQ(StyleCodeFromBoxes({false, false, false, false, false, false, true}), 0);
  EXPECT_EQ(StyleCodeFromBoxes({false, true, false, false, true, false, false}), 2);
}

TEST(StyleCode, CodesReadFromFiles) {
  EXPECT_EQ(StyleBoxForText("7"), 6);
  EXPECT_EQ(StyleBoxForText(" 0 "), 7);
  EXPECT_EQ(StyleBoxForText("6"), std::nullopt);
  EXPECT_EQ(StyleBoxForText(""), std::nullopt);
  EXPECT_EQ(StyleBoxForText("2x"), std::nullopt);
  EXPECT_EQ(StyleBoxForText("99999999999999"), std::nullopt);
}
