#include <gtest/gtest.h>

#include "core/wholeseconds.h"

// The wait ends at the whole second nearest the call (halves to even) plus the count;
// just before midnight the target lies past 86400.
TEST(WholeSeconds, RemainingWaitFollowsTheRoundedStart) {
  const double cases[][3] = {{100.4, 4, 3.6}, {100.6, 4, 4.4}, {100.5, 4, 3.5}, {101.5, 4, 4.5}, {100.3, 0, 0.0},
                             {100.7, 0, 0.3}, {100.0, 1, 1.0}, {86399.7, 4, 4.3}, {5.0, -3, 0.0}};
  for (const auto& [now, seconds, expected] : cases)
    EXPECT_NEAR(huevox::WholeSecondsRemaining(now, static_cast<int>(seconds)), expected, 1e-9) << now << "+" << seconds;
}
