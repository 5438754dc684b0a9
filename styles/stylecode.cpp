#include "styles/stylecode.h"

#include <charconv>

namespace huevox {
namespace {
constexpr std::array<int, kStyleBoxCount> kCodeOfBox = {1, 2, 3, 4, 5, 7, 0};
}

int StyleCodeOfBox(int box) {
  return (box >= 1 && box <= kStyleBoxCount) ? kCodeOfBox[box - 1] : 0;
}

std::optional<int> StyleBoxForCode(int code) {
  for (int box = 1; box <= kStyleBoxCount; ++box) {
    if (kCodeOfBox[box - 1] == code) return box;
  }
  return std::nullopt;
}

std::optional<int> StyleBoxForText(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  int code = 0;
  const auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (text.empty() || err != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return StyleBoxForCode(code);
}

int StyleCodeFromBoxes(const std::array<bool, kStyleBoxCount>& checked) {
  for (int box = 1; box <= kStyleBoxCount; ++box) {
    if (checked[box - 1]) return StyleCodeOfBox(box);
  }
  return 0;
}

StyleLook LookOfCode(int code) { return {(code & 1) != 0, (code & 2) != 0, (code & 4) != 0}; }

}  // namespace huevox
