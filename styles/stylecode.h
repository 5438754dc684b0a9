#pragma once
// Style codes: 1 underline + 2 bold + 4 italic. The seven style boxes stand for
// 1, 2, 3, 4, 5, 7 and 0; no box stands for 6.
#include <array>
#include <optional>
#include <string_view>

namespace huevox {

inline constexpr int kStyleBoxCount = 7;

struct StyleLook {
  bool underline;
  bool bold;
  bool italic;
};

// Code of style box 1..7.
int StyleCodeOfBox(int box);
// Box 1..7 that stands for the code, or nothing (6, or no such code).
std::optional<int> StyleBoxForCode(int code);
// Box for a code read from a file ("7" -> 6); nothing for anything else.
std::optional<int> StyleBoxForText(std::string_view text);
// The first checked box decides; none checked gives 0.
int StyleCodeFromBoxes(const std::array<bool, kStyleBoxCount>& checked);
StyleLook LookOfCode(int code);

}  // namespace huevox
