#include "settings/textcodec.h"

#include <algorithm>
#include <array>
#include <climits>

#ifdef _WIN32
#include <windows.h>
#endif

namespace huevox {
namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 value, as Windows does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252ToCodePoint(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kCp1252High[b - 0x80];
  return b;
}

// Length of the well-formed UTF-8 sequence at s[i], or 0 when there is none.
size_t Utf8SequenceAt(std::string_view s, size_t i, char32_t& out) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    out = b0;
    return 1;
  }
  size_t len;
  char32_t cp;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  out = cp;
  return len;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

#ifdef _WIN32
std::wstring ToUtf16(std::u32string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (char32_t cp : text) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (cp >> 10));
      out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<wchar_t>(cp);
    }
  }
  return out;
}

// A lone surrogate becomes U+FFFD: UTF-8 cannot carry it.
std::u32string FromUtf16(std::wstring_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t u = static_cast<char16_t>(text[i]);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size()) {
      const char32_t v = static_cast<char16_t>(text[i + 1]);
      if (v >= 0xDC00 && v <= 0xDFFF) {
        out += 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00);
        ++i;
        continue;
      }
    }
    out += (u >= 0xD800 && u <= 0xDFFF) ? U'\xFFFD' : u;
  }
  return out;
}
#endif

}  // namespace

std::u32string ToCodePoints(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp;
    const size_t len = Utf8SequenceAt(utf8, i, cp);
    if (len == 0) {
      out += Cp1252ToCodePoint(static_cast<unsigned char>(utf8[i]));
      ++i;
    } else {
      out += cp;
      i += len;
    }
  }
  return out;
}

std::string FromCodePoints(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t cp : text) AppendUtf8(out, cp);
  return out;
}

#ifdef _WIN32
std::string DecodeCodePage(std::string_view bytes, unsigned codePage) {
  // A system set to UTF-8 reads files as Linux does, Windows-1252 fallback included.
  if (codePage == CP_UTF8 || bytes.empty()) return FromCodePoints(ToCodePoints(bytes));
  // Callers read files a few MiB at most, far below the API's int counts.
  const int size = static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX));
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), n);
  return FromCodePoints(FromUtf16(wide));
}

std::string EncodeCodePage(std::string_view utf8, unsigned codePage) {
  if (codePage == CP_UTF8 || utf8.empty()) return FromCodePoints(ToCodePoints(utf8));
  std::u32string text = ToCodePoints(utf8);
  // One '?' per character: ANSI code pages hold nothing beyond the BMP, and
  // versions of Windows differ on how many '?' a surrogate pair becomes.
  if (codePage != 54936) {  // GB18030 does hold them
    for (char32_t& c : text) {
      if (c > 0xFFFF) c = U'?';
    }
  }
  const std::wstring wide = ToUtf16(text);
  const int size = static_cast<int>(wide.size());
  // No best fit: a character the code page lacks becomes '?', not a look-alike
  // ("Ł" would silently become "L" and name another font). A few code pages
  // take no flags at all.
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  int n = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0 && GetLastError() == ERROR_INVALID_FLAGS) {
    flags = 0;
    n = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
  }
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::string DecodeFileText(std::string_view bytes) { return DecodeCodePage(bytes, GetACP()); }
std::string EncodeFileText(std::string_view utf8) { return EncodeCodePage(utf8, GetACP()); }

std::string FromWide(std::wstring_view text) { return FromCodePoints(FromUtf16(text)); }
std::wstring ToWide(std::string_view utf8) { return ToUtf16(ToCodePoints(utf8)); }
#else
std::string DecodeFileText(std::string_view bytes) { return FromCodePoints(ToCodePoints(bytes)); }
std::string EncodeFileText(std::string_view utf8) { return std::string(utf8); }
#endif

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  // Latin-1: À..Þ except ×
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  // Latin Extended-A pairs (upper even, lower odd), with its two odd-aligned runs.
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
  if (c == 0x178) return 0xFF;
  // Greek and Cyrillic capitals
  if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2)) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  const std::u32string x = ToCodePoints(a);
  const std::u32string y = ToCodePoints(b);
  if (x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i) {
    if (FoldCase(x[i]) != FoldCase(y[i])) return false;
  }
  return true;
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

}  // namespace huevox
