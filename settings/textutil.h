#pragma once
#include <string>
#include <string_view>

namespace huevox {

// Replaces every occurrence of search in text, ignoring case, left to right.
// Inserted replacements are never searched again; the rest keeps its case.
// An empty search returns the text unchanged.
std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement);

}  // namespace huevox
