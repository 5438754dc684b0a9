#include "platform/fileops.h"

#include <algorithm>

#include <windows.h>

namespace fs = std::filesystem;

namespace huevox::platform {
namespace {

// The system's own text for a Windows error code, in UTF-8, without the final
// line end and full stop.
std::string Win32Message(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::string text = "Error " + std::to_string(code);
  if (n) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), nullptr, 0,
                                         nullptr, nullptr);
    text.assign(static_cast<size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), text.data(), size, nullptr,
                        nullptr);
  }
  LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
    text.pop_back();
  return text;
}

// GetLastError() codes that compare equal to the portable std::errc values
// (err == std::errc::file_exists works on every platform) and describe
// themselves in the system's language.
class Win32Category final : public std::error_category {
 public:
  const char* name() const noexcept override { return "win32"; }
  std::string message(int code) const override { return Win32Message(static_cast<DWORD>(code)); }
  std::error_condition default_error_condition(int code) const noexcept override {
    switch (static_cast<DWORD>(code)) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_INVALID_DRIVE:
      case ERROR_BAD_NETPATH:
        return std::errc::no_such_file_or_directory;
      case ERROR_ACCESS_DENIED:
        return std::errc::permission_denied;
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION:
        return std::errc::device_or_resource_busy;
      case ERROR_ALREADY_EXISTS:
      case ERROR_FILE_EXISTS:
        return std::errc::file_exists;
      case ERROR_DISK_FULL:
      case ERROR_HANDLE_DISK_FULL:
        return std::errc::no_space_on_device;
      case ERROR_WRITE_PROTECT:
        return std::errc::read_only_file_system;
      case ERROR_FILENAME_EXCED_RANGE:
        return std::errc::filename_too_long;
      case ERROR_INVALID_NAME:
      case ERROR_DIRECTORY:
        return std::errc::invalid_argument;
      case ERROR_NOT_ENOUGH_MEMORY:
      case ERROR_OUTOFMEMORY:
        return std::errc::not_enough_memory;
      default:
        return {code, *this};
    }
  }
};

std::error_code Win32Error(DWORD code) {
  static const Win32Category category;
  return {static_cast<int>(code), category};
}
std::error_code LastError() { return Win32Error(GetLastError()); }

// Attributes that a replaced file hands on to its successor, as the POSIX side
// keeps permission bits: a hidden preset stays hidden.
constexpr DWORD kInheritedAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

}  // namespace

std::error_code WriteNewFile(const fs::path& temp, std::string_view bytes, const fs::path* replacing) {
  DWORD attributes = 0;
  const DWORD old = replacing ? GetFileAttributesW(replacing->c_str()) : INVALID_FILE_ATTRIBUTES;
  if (old != INVALID_FILE_ATTRIBUTES) {
    // The profile functions refuse a read-only file; renaming over it would
    // otherwise succeed on some file systems.
    if (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
      return Win32Error(ERROR_ACCESS_DENIED);
    attributes = old & kInheritedAttributes;
  }
  // No sharing until it is complete: nobody reads or renames half a file.
  HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  std::error_code err;
  for (size_t done = 0; !err && done < bytes.size();) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    if (!WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr)) err = LastError();
    else if (wrote == 0) err = Win32Error(ERROR_WRITE_FAULT);
    done += wrote;
  }
  if (!err && !FlushFileBuffers(h)) err = LastError();
  if (!CloseHandle(h) && !err) err = LastError();
  return err;
}

std::error_code MoveIntoPlace(const fs::path& from, const fs::path& to, bool replace) {
  DWORD flags = MOVEFILE_WRITE_THROUGH;  // no MOVEFILE_COPY_ALLOWED: a copy is not atomic
  if (replace) flags |= MOVEFILE_REPLACE_EXISTING;
  if (MoveFileExW(from.c_str(), to.c_str(), flags)) return {};
  const DWORD code = GetLastError();
  // Without MOVEFILE_REPLACE_EXISTING a taken name fails, and nothing is replaced.
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) return Win32Error(ERROR_FILE_EXISTS);
  return Win32Error(code);
}

bool IsHiddenFile(const fs::path& file) {
  const DWORD attrs = GetFileAttributesW(file.c_str());
  return attrs == INVALID_FILE_ATTRIBUTES ||
         (attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

std::string DescribeError(std::error_code error) {
  // std::filesystem reports Windows codes in the system category.
  if (error.category() == std::system_category()) return Win32Message(static_cast<DWORD>(error.value()));
  return error.message();
}

// Names are UTF-16 here, and UTF-8 carries every one of them.
fs::path PathFromText(std::string_view text) { return fs::path(std::u8string(text.begin(), text.end())); }

std::string PathToText(const fs::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

}  // namespace huevox::platform
