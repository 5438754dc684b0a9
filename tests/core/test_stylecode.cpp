#include <gtest/gtest.h>

#include "styles/stylecode.h"

using namespace huevox;

TEST(StyleCode, BoxesAndCodesMapBothWays) {
  const int codes[] = {1, 2, 3, 4, 5, 7, 0};
  for (int box = 1; box <= kStyleBoxCount; ++box) {
    EXPECT_EQ(StyleCodeOfBox(box), codes[box - 1]) << box;
    EXPECT_EQ(StyleBoxForCode(codes[box - 1]), box) << box;
  }
  for (const int code : {6, 8, -1}) EXPECT_EQ(StyleBoxForCode(code), std::nullopt) << code;
  EXPECT_EQ(StyleCodeFromBoxes({}), 0);
  EXPECT_EQ(StyleCodeFromBoxes({false, false, false, false, false, true, false}), 7);
  EXPECT_EQ(StyleCodeFromBoxes({false, true, false, false, true, false, false}), 2);  // the first decides
  EXPECT_EQ(StyleBoxForText(" 0 "), 7);
  for (const char* text : {"6", "", "2x", "99999999999999"}) EXPECT_EQ(StyleBoxForText(text), std::nullopt) << text;
}
