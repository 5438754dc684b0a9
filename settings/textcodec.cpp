#include "settings/textcodec.h"

#include <algorithm>
#include <array>

#include "platform/codepage.h"
#include "platform/fileops.h"

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

// Next character of lenient UTF-8 at s[i], moving i past it.
char32_t NextCodePoint(std::string_view s, size_t& i) {
  char32_t cp;
  const size_t len = Utf8SequenceAt(s, i, cp);
  if (len == 0) return Cp1252ToCodePoint(static_cast<unsigned char>(s[i++]));
  i += len;
  return cp;
}

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

std::string DecodeFileText(std::string_view bytes) {
  if (const unsigned cp = platform::FileCodePage()) return platform::DecodeCodePage(bytes, cp);
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) AppendUtf8(out, NextCodePoint(bytes, i));
  return out;
}

std::string EncodeFileText(std::string_view utf8) {
  if (const unsigned cp = platform::FileCodePage()) return platform::EncodeCodePage(utf8, cp);
  return std::string(utf8);
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() / 2 * 3 / 2);
  const auto unit = [&](size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) <= 0xDFFF) {
      u = 0x10000 + ((u - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      u = 0xFFFD;
    }
    AppendUtf8(out, u);
  }
  return out;
}

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
  size_t i = 0, k = 0;
  while (i < a.size() && k < b.size()) {
    if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, k))) return false;
  }
  return i == a.size() && k == b.size();
}

std::filesystem::path PathFromUtf8(std::string_view utf8) { return platform::PathFromText(utf8); }

std::string PathToUtf8(const std::filesystem::path& path) { return platform::PathToText(path); }

std::string FileNameForDisplay(std::string_view name) {
  std::u32string text = ToCodePoints(name);
  for (char32_t& c : text) {
    if (c >= 0xEF80 && c <= 0xEFFF) c = Cp1252ToCodePoint(static_cast<unsigned char>(c - 0xEF00));
  }
  return FromCodePoints(text);
}

}  // namespace huevox
