#include "platform/codepage.h"

#include <algorithm>
#include <climits>

#include <windows.h>

namespace huevox::platform {
namespace {

// Callers convert files of a few MiB at most, far below the API's int counts.
int Count(size_t n) { return static_cast<int>(std::min<size_t>(n, INT_MAX)); }

std::wstring Widen(std::string_view bytes, UINT codePage) {
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), Count(bytes.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), Count(bytes.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage, DWORD flags) {
  const int size = Count(wide.size());
  const int n = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

unsigned FileCodePage() {
  const UINT acp = GetACP();
  return acp == CP_UTF8 ? 0 : acp;
}

std::string DecodeCodePage(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  return Narrow(Widen(bytes, codePage), CP_UTF8, 0);
}

std::string EncodeCodePage(std::string_view utf8, unsigned codePage) {
  if (utf8.empty()) return {};
  std::wstring wide = Widen(utf8, CP_UTF8);
  // One '?' per character: ANSI code pages hold nothing beyond the BMP, and
  // versions of Windows differ on how many '?' a surrogate pair becomes.
  if (codePage != 54936) {  // GB18030 does hold them
    std::wstring single;
    for (size_t i = 0; i < wide.size(); ++i) {
      const bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() &&
                        wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
      single += pair ? L'?' : wide[i];
      i += pair;
    }
    wide = std::move(single);
  }
  // No best fit: a character the code page lacks becomes '?', not a look-alike
  // ("Ł" would silently become "L" and name another font). A few code pages
  // take no flags at all.
  std::string out = Narrow(wide, codePage, WC_NO_BEST_FIT_CHARS);
  if (out.empty() && GetLastError() == ERROR_INVALID_FLAGS) out = Narrow(wide, codePage, 0);
  return out;
}

}  // namespace huevox::platform
