// Any colour value: six uppercase hex digits, red first, that give the
// colour's three channels back; bits above the colour bits make no difference.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "settings/hexcode.h"

using namespace huevox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ColorValue value = FuzzedDataProvider(data, size).ConsumeIntegral<ColorValue>();
  const std::string hex = HexCodeFromColorValue(value);
  if (hex.size() != 6 || hex.find_first_not_of("0123456789ABCDEF") != std::string::npos) abort();
  const auto channel = [&](int i) { return std::stoi(hex.substr(2 * i, 2), nullptr, 16); };
  if (ColorValueFromRgb(channel(0), channel(1), channel(2)) != (value & 0xFFFFFF) ||
      hex != HexCodeFromColorValue(value & 0xFFFFFF))
    abort();
  return 0;
}
