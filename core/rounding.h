#pragma once
#include <cmath>

namespace huevox {

// Rounds to the nearest whole number, halves to the even neighbour (100.5 -> 100).
inline long long RoundHalfEven(double value) {
  return static_cast<long long>(std::nearbyint(value));  // default rounding mode: to even
}

}  // namespace huevox
