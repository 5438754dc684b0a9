#include "colortools/colourcode.h"

#include <charconv>

namespace huevox {

ColourTexts DescribeColour(ColorValue colour) {
  const int red = static_cast<int>(colour & 255);
  const int green = static_cast<int>((colour / 256) & 255);
  const int blue = static_cast<int>((colour / 65536) & 255);
  ColourTexts texts;
  texts.value = std::to_string(colour);
  texts.red = std::to_string(red);
  texts.green = std::to_string(green);
  texts.blue = std::to_string(blue);
  texts.hex = HexCodeFromColorValue(colour);
  return texts;
}

std::optional<std::uint32_t> ColourValueFromText(std::string_view text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end || value > 0xFFFFFFu) return std::nullopt;
  return value;
}

}  // namespace huevox
