#include "settings/hexcode.h"

#include <cstdio>

namespace huevox {

std::string HexCodeFromColorValue(ColorValue value) {
  // Written as BBGGRR with leading zeros, then read back pair by pair, reversed.
  char h[7];
  std::snprintf(h, sizeof h, "%06X", static_cast<unsigned>(value & 0xFFFFFFu));
  return {h[4], h[5], h[2], h[3], h[0], h[1]};
}

}  // namespace huevox
