#pragma once
// What writing files whole needs from the operating system. No Qt.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace huevox::platform {

// Creates the new file temp and writes bytes to it. When replacing names an
// existing file, that file must be writable (a read-only file is refused with
// permission_denied) and temp gets its owner and permission bits (POSIX) or its
// hidden, system and archive attributes (Windows).
std::error_code WriteNewFile(const std::filesystem::path& temp, std::string_view bytes,
                             const std::filesystem::path* replacing);

// Renames from to to in one step; without replace a taken name fails with
// file_exists and nothing is replaced.
std::error_code MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to,
                              bool replace);

// Hidden in the platform's sense: a leading dot, or the hidden or system attribute.
bool IsHiddenFile(const std::filesystem::path& file);

// The system's own words for an error, for messages to the user.
std::string DescribeError(std::error_code error);

// File names as program text (UTF-8) and back, losslessly: on POSIX a name that
// is not UTF-8 keeps its bytes (see the POSIX file), so a file found in a
// folder can always be opened again under the text it was listed as.
std::filesystem::path PathFromText(std::string_view text);
std::string PathToText(const std::filesystem::path& path);

}  // namespace huevox::platform
