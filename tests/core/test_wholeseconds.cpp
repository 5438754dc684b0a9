#include <gtest/gtest.h>

#include "app/wholeseconds.h"

TEST(WholeSeconds, RoundsHalvesToEven) {
  EXPECT_EQ(huevox::RoundHalfEven(100.4), 100);
  EXPECT_EQ(huevox::RoundHalfEven(100.6), 101);
  EXPECT_EQ(huevox::RoundHalfEven(100.5), 100);
  EXPECT_EQ(huevox::RoundHalfEven(101.5), 102);
  EXPECT_EQ(huevox::RoundHalfEven(-0.5), 0);
}

// The wait ends at the whole second nearest the call plus the count.
TEST(WholeSeconds, RemainingWaitFollowsTheRoundedStart) {
  struct Case {
    double now;
    int seconds;
    double expected;
  } const cases[] = {
      {100.4, 4, 3.6}, {100.6, 4, 4.4}, {100.5, 4, 3.5}, {101.5, 4, 4.5},
      {100.3, 0, 0.0}, {100.7, 0, 0.3}, {100.0, 1, 1.0},
      {86399.7, 4, 4.3},  // just before midnight: the target lies past 86400
      {5.0, -3, 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.now << " + " << c.seconds);
    EXPECT_NEAR(huevox::WholeSecondsRemaining(c.now, c.seconds), c.expected, 1e-9);
  }
}
