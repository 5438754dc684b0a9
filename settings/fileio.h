#pragma once
// Whole-file reads and writes. A write goes to a temporary file beside the
// target and is renamed into place, so a reader never sees half a file and a
// failed write leaves the old file as it was.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace huevox {

enum class WriteMode {
  Replace,    // an existing file is replaced, keeping its owner and permissions (or
              // attributes); a read-only one is refused; a symbolic link stays and
              // the file it points to is replaced
  CreateNew,  // fails with file_exists when the name is taken, even by a late-comer
};

std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    WriteMode mode = WriteMode::Replace);

// The first maxBytes of a regular file; nothing when it cannot be read.
std::optional<std::string> ReadFileHead(const std::filesystem::path& path, std::size_t maxBytes);

// True for an ordinary, visible file whose name matches without regard to case.
// Folders, hidden files and the empty path are never matched.
bool FileExists(std::string_view path);

// Writes each line followed by CR LF, in the file code page. Empty on success.
std::error_code SaveListToFile(std::string_view path, const std::vector<std::string>& lines);

// "Permission denied" and the like, for messages to the user.
std::string DescribeError(std::error_code error);

}  // namespace huevox
