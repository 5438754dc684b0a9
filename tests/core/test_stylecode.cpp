#include <gtest/gtest.h>

#include "styles/stylecode.h"

using namespace huevox;

TEST(StyleCode, BoxesCodesAndTextsMapBothWays) {
  const int codes[] = {1, 2, 3, 4, 5, 7, 0};
  for (int box = 1; box <= kStyleBoxCount; ++box) {
    EXPECT_EQ(StyleCodeOfBox(box), codes[box - 1]) << box;
    EXPECT_EQ(StyleBoxForText(" " + std::to_string(codes[box - 1]) + " "), box) << box;
  }
  for (const char* text : {"6", "8", "-1", "", "2x", "99999999999999"}) EXPECT_EQ(StyleBoxForText(text), std::nullopt) << text;
  EXPECT_EQ(StyleCodeFromBoxes({}), 0);
  EXPECT_EQ(StyleCodeFromBoxes({false, true, false, false, true, true, false}), 2);  // the first decides
}
