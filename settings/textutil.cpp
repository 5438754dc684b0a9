#include "settings/textutil.h"

#include "settings/textcodec.h"

namespace huevox {
namespace {

// Index of the first case-insensitive match at or after from, or npos.
size_t FindFolded(const std::u32string& text, const std::u32string& search, size_t from) {
  if (search.size() > text.size()) return std::u32string::npos;
  for (size_t p = from; p + search.size() <= text.size(); ++p) {
    size_t k = 0;
    while (k < search.size() && FoldCase(text[p + k]) == FoldCase(search[k])) ++k;
    if (k == search.size()) return p;
  }
  return std::u32string::npos;
}

}  // namespace

std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement) {
  if (search.empty()) return std::string(text);
  const std::u32string needle = ToCodePoints(search);
  const std::u32string insert = ToCodePoints(replacement);
  std::u32string current = ToCodePoints(text);
  size_t p = FindFolded(current, needle, 0);
  if (p == std::u32string::npos) return std::string(text);
  while (p != std::u32string::npos) {
    current.replace(p, needle.size(), insert);
    p = FindFolded(current, needle, p + insert.size());
  }
  return FromCodePoints(current);
}

}  // namespace huevox
