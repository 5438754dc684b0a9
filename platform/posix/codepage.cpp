#include "platform/codepage.h"

namespace huevox::platform {

// Text files are UTF-8 here; the core reads stray bytes as Windows-1252.
unsigned FileCodePage() { return 0; }
std::string DecodeCodePage(std::string_view bytes, unsigned) { return std::string(bytes); }
std::string EncodeCodePage(std::string_view utf8, unsigned) { return std::string(utf8); }

}  // namespace huevox::platform
