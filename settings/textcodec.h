#pragma once
// Conversions between the program's text (UTF-8) and the bytes of the files it
// reads and writes: the ANSI code page on Windows; UTF-8 elsewhere, where bytes
// that are not UTF-8 are taken as Windows-1252 so files made on Windows load.
#include <filesystem>
#include <string>
#include <string_view>

namespace huevox {

std::string DecodeFileText(std::string_view bytes);
std::string EncodeFileText(std::string_view utf8);

#ifdef _WIN32
// The same with a given code page (GetACP() above). A character that the code
// page lacks is written as '?'; with CP_UTF8 files are read as on Linux.
std::string DecodeCodePage(std::string_view bytes, unsigned codePage);
std::string EncodeCodePage(std::string_view utf8, unsigned codePage);

// UTF-16 for the W functions; lenient both ways, like ToCodePoints.
std::string FromWide(std::wstring_view text);
std::wstring ToWide(std::string_view utf8);
#endif

// Lenient UTF-8 decoding: a malformed byte becomes its Windows-1252 character.
std::u32string ToCodePoints(std::string_view utf8);
std::string FromCodePoints(std::u32string_view text);

// One character to one character, so positions survive lower-casing.
char32_t FoldCase(char32_t c);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace huevox
