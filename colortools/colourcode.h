#pragma once
// What the colour spy shows for one colour value (0x00BBGGRR, red lowest).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace huevox {

struct ColourTexts {
  std::string value;  // decimal colour value, e.g. "16777215"
  std::string red;    // channels as decimal text 0-255
  std::string green;
  std::string blue;
  std::string hex;    // RRGGBB, uppercase, two digits per channel
};

inline constexpr std::uint32_t ColourValue(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
         static_cast<std::uint32_t>(blue) << 16;
}

// The hex code is put together channel by channel, red first.
ColourTexts DescribeColour(std::uint32_t colour);

// Two uppercase hexadecimal digits of a channel 0-255.
std::string ChannelHex(int channel);

// The colour value back from its decimal text; nothing unless the text is a
// whole number that fits a colour value.
std::optional<std::uint32_t> ColourValueFromText(std::string_view text);

}  // namespace huevox
