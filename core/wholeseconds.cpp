#include "core/wholeseconds.h"

#include "core/rounding.h"

namespace huevox {

double WholeSecondsRemaining(double timeOfDay, int seconds) {
  const double base = static_cast<double>(RoundHalfEven(timeOfDay));
  const double remaining = base + seconds - timeOfDay;
  return remaining > 0 ? remaining : 0.0;
}

}  // namespace huevox
