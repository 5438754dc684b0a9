#include <gtest/gtest.h>

#include "app/wholeseconds.h"

// The wait ends at the whole second nearest the call (halves to even) plus the count.
TEST(WholeSeconds, RemainingWaitFollowsTheRoundedStart) {
  const struct {
    double now;
    int seconds;
    double expected;
  } cases[] = {
      {100.4, 4, 3.6}, {100.6, 4, 4.4}, {100.5, 4, 3.5}, {101.5, 4, 4.5}, {100.3, 0, 0.0},
      {100.7, 0, 0.3}, {100.0, 1, 1.0},
      {86399.7, 4, 4.3},  // just before midnight: the target lies past 86400
      {5.0, -3, 0.0},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(huevox::WholeSecondsRemaining(c.now, c.seconds), c.expected, 1e-9) << c.now << " + " << c.seconds;
}
