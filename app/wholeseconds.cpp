#include "app/wholeseconds.h"

#include <cmath>

namespace huevox {

long long RoundHalfEven(double value) {
  return static_cast<long long>(std::nearbyint(value));  // default rounding mode: to even
}

double WholeSecondsRemaining(double timeOfDay, int seconds) {
  const double base = static_cast<double>(RoundHalfEven(timeOfDay));
  const double remaining = base + seconds - timeOfDay;
  return remaining > 0 ? remaining : 0.0;
}

}  // namespace huevox
