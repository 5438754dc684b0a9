#pragma once
// Colour values are laid out 0x00BBGGRR (red in the lowest byte), as colour
// dialogs and pixel reads hand them over; hex codes are RRGGBB, red first.
#include <cstdint>
#include <string>

namespace huevox {

using ColorValue = std::uint32_t;

constexpr ColorValue ColorValueFromRgb(int red, int green, int blue) {
  return static_cast<ColorValue>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// Six uppercase hexadecimal digits RRGGBB; bits above the 24 colour bits are ignored.
std::string HexCodeFromColorValue(ColorValue value);

}  // namespace huevox
