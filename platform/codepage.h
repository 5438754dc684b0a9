#pragma once
// The code page that text files are written in. No Qt.
#include <string>
#include <string_view>

namespace huevox::platform {

// The system's ANSI code page on Windows; 0 where files are UTF-8 (Linux, or a
// Windows set to UTF-8).
unsigned FileCodePage();

// Between a code page and UTF-8, for a code page that FileCodePage() can give.
// A character that the code page lacks becomes one '?', not a look-alike.
std::string DecodeCodePage(std::string_view bytes, unsigned codePage);
std::string EncodeCodePage(std::string_view utf8, unsigned codePage);

}  // namespace huevox::platform
