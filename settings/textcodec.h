#pragma once
// Conversions between the program's text (UTF-8) and the bytes of the files it
// reads and writes: the system's code page (platform/codepage.h), or UTF-8,
// where bytes that are not UTF-8 are taken as Windows-1252 so files made on
// Windows load.
#include <filesystem>
#include <string>
#include <string_view>

namespace huevox {

std::string DecodeFileText(std::string_view bytes);
std::string EncodeFileText(std::string_view utf8);

// UTF-16 file bytes (no byte order mark); a lone surrogate becomes U+FFFD.
std::string DecodeUtf16(std::string_view bytes, bool bigEndian);

// Lenient UTF-8 decoding: a malformed byte becomes its Windows-1252 character.
std::u32string ToCodePoints(std::string_view utf8);
std::string FromCodePoints(std::u32string_view text);

// One character to one character, so positions survive lower-casing.
char32_t FoldCase(char32_t c);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// File names as program text and back, without loss (platform/fileops.h).
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);
// A file name as PathToUtf8 gave it, for showing: bytes of a name that is not
// UTF-8 are shown as Windows-1252 characters.
std::string FileNameForDisplay(std::string_view name);

}  // namespace huevox
