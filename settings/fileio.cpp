#include "settings/fileio.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <random>

#include "settings/textcodec.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace huevox {
namespace {

#ifdef _WIN32

// The system's own text for a Windows error code, in UTF-8, without the final
// line end and full stop.
std::string Win32Message(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::string text = n ? FromWide(std::wstring_view(buffer, n)) : "Error " + std::to_string(code);
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

const std::error_category& Win32ErrorCategory() {
  static const Win32Category category;
  return category;
}

std::error_code Win32Error(DWORD code) { return {static_cast<int>(code), Win32ErrorCategory()}; }
std::error_code LastError() { return Win32Error(GetLastError()); }

#else

std::error_code LastError() { return {errno, std::generic_category()}; }

#endif

fs::path TemporarySibling(const fs::path& target) {
  static std::mt19937 rng{std::random_device{}()};
  const std::string tag = std::to_string(rng() % 1000000000u);
  fs::path name = PathFromUtf8("." + PathToUtf8(target.filename()) + "." + tag + ".tmp");
  return target.parent_path() / name;
}

#ifdef _WIN32

// Attributes that a replaced file hands on to its successor, as the Linux side
// keeps permission bits: a hidden preset stays hidden.
constexpr DWORD kInheritedAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

std::error_code WriteNewFile(const fs::path& path, std::string_view bytes, DWORD attributes) {
  // No sharing until it is complete: nobody reads or renames half a file.
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  std::error_code err;
  size_t done = 0;
  while (!err && done < bytes.size()) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    if (!WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr)) {
      err = LastError();
    } else if (wrote == 0) {
      err = Win32Error(ERROR_WRITE_FAULT);
    }
    done += wrote;
  }
  if (!err && !FlushFileBuffers(h)) err = LastError();
  if (!CloseHandle(h) && !err) err = LastError();
  return err;
}

std::error_code MoveIntoPlace(const fs::path& from, const fs::path& to, WriteMode mode) {
  DWORD flags = MOVEFILE_WRITE_THROUGH;  // no MOVEFILE_COPY_ALLOWED: a copy is not atomic
  if (mode == WriteMode::Replace) flags |= MOVEFILE_REPLACE_EXISTING;
  if (MoveFileExW(from.c_str(), to.c_str(), flags)) return {};
  const DWORD code = GetLastError();
  // Without MOVEFILE_REPLACE_EXISTING a taken name fails, and nothing is replaced.
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
    return Win32Error(ERROR_FILE_EXISTS);
  return Win32Error(code);
}

bool IsHiddenEntry(const fs::directory_entry& entry) {
  const DWORD attrs = GetFileAttributesW(entry.path().c_str());
  return attrs == INVALID_FILE_ATTRIBUTES ||
         (attrs & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

#else

std::error_code WriteNewFile(const fs::path& path, std::string_view bytes, mode_t mode) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return LastError();
  std::error_code err;
  size_t done = 0;
  while (!err && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      err = n < 0 ? LastError() : std::make_error_code(std::errc::io_error);
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (!err && ::fsync(fd) != 0 && errno != EINVAL) err = LastError();
  if (::close(fd) != 0 && !err) err = LastError();
  return err;
}

std::error_code MoveIntoPlace(const fs::path& from, const fs::path& to, WriteMode mode) {
  if (mode == WriteMode::Replace) {
    if (::rename(from.c_str(), to.c_str()) == 0) return {};
    return LastError();
  }
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS) return LastError();
  // File systems without RENAME_NOREPLACE: a hard link fails just as atomically.
  if (::link(from.c_str(), to.c_str()) != 0) return LastError();
  ::unlink(from.c_str());
  return {};
}

bool IsHiddenEntry(const fs::directory_entry& entry) {
  const std::string name = PathToUtf8(entry.path().filename());
  return name.empty() || name[0] == '.';
}

#endif

}  // namespace

std::error_code WriteFileAtomically(const fs::path& path, std::string_view bytes, WriteMode mode) {
  const fs::path temp = TemporarySibling(path);
#ifdef _WIN32
  DWORD attributes = 0;
  if (mode == WriteMode::Replace) {
    const DWORD old = GetFileAttributesW(path.c_str());
    if (old != INVALID_FILE_ATTRIBUTES) {
      // A read-only file is not to be written, as the profile functions refuse
      // it too; renaming over it would otherwise succeed on some file systems.
      if (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        return Win32Error(ERROR_ACCESS_DENIED);
      attributes = old & kInheritedAttributes;
    }
  }
  std::error_code err = WriteNewFile(temp, bytes, attributes);
#else
  // Keep the permissions of the file being replaced.
  mode_t perms = 0666;
  struct stat st {};
  if (mode == WriteMode::Replace && ::stat(path.c_str(), &st) == 0) perms = st.st_mode & 07777;
  std::error_code err = WriteNewFile(temp, bytes, perms);
#endif
  if (!err) err = MoveIntoPlace(temp, path, mode);
  if (err) {
    std::error_code ignored;
    fs::remove(temp, ignored);
  }
  return err;
}

std::optional<std::string> ReadFileHead(const fs::path& path, std::size_t maxBytes) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Only as far as the file goes: a buffer the size of the limit would be
  // allocated and cleared for every small file, and kept with the result.
  std::string data;
  std::array<char, 1 << 16> chunk;
  while (data.size() < maxBytes) {
    in.read(chunk.data(), static_cast<std::streamsize>(std::min(chunk.size(), maxBytes - data.size())));
    if (in.gcount() <= 0) break;
    data.append(chunk.data(), static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return data;
}

bool FileExists(std::string_view path) {
  if (path.empty()) return false;
  const fs::path target = PathFromUtf8(path);
  const std::string wanted = PathToUtf8(target.filename());
  if (wanted.empty()) return false;
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!EqualsIgnoreCase(PathToUtf8(it->path().filename()), wanted)) continue;
    std::error_code typeError;
    if (it->is_regular_file(typeError) && !IsHiddenEntry(*it)) return true;
  }
  return false;
}

std::error_code SaveListToFile(std::string_view path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return WriteFileAtomically(PathFromUtf8(path), EncodeFileText(text));
}

std::string DescribeError(std::error_code error) {
#ifdef _WIN32
  // std::filesystem reports Windows codes in the system category.
  if (error.category() == std::system_category())
    return Win32Message(static_cast<DWORD>(error.value()));
#endif
  return error.message();
}

}  // namespace huevox
