#pragma once
// What the colour spy shows for one colour value (0x00BBGGRR, red lowest).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/hexcode.h"

namespace huevox {

struct ColourTexts {
  std::string value;  // decimal colour value, e.g. "16777215"
  std::string red;    // channels as decimal text 0-255
  std::string green;
  std::string blue;
  std::string hex;    // RRGGBB, the same code as the colour dialog's
};

ColourTexts DescribeColour(ColorValue colour);

// The colour value back from its decimal text; nothing unless the text is a
// whole number that fits a colour value.
std::optional<std::uint32_t> ColourValueFromText(std::string_view text);

}  // namespace huevox
