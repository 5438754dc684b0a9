#include "settings/fileio.h"

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

std::error_code LastError() {
#ifdef _WIN32
  return {static_cast<int>(GetLastError()), std::system_category()};
#else
  return {errno, std::generic_category()};
#endif
}

fs::path TemporarySibling(const fs::path& target) {
  static std::mt19937 rng{std::random_device{}()};
  const std::string tag = std::to_string(rng() % 1000000000u);
  fs::path name = PathFromUtf8("." + PathToUtf8(target.filename()) + "." + tag + ".tmp");
  return target.parent_path() / name;
}

#ifdef _WIN32

std::error_code WriteNewFile(const fs::path& path, std::string_view bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  std::error_code err;
  size_t done = 0;
  while (!err && done < bytes.size()) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    if (!WriteFile(h, bytes.data() + done, chunk, &wrote, nullptr)) err = LastError();
    done += wrote;
  }
  if (!err && !FlushFileBuffers(h)) err = LastError();
  if (!CloseHandle(h) && !err) err = LastError();
  return err;
}

std::error_code MoveIntoPlace(const fs::path& from, const fs::path& to, WriteMode mode) {
  DWORD flags = MOVEFILE_WRITE_THROUGH;
  if (mode == WriteMode::Replace) flags |= MOVEFILE_REPLACE_EXISTING;
  if (MoveFileExW(from.c_str(), to.c_str(), flags)) return {};
  const DWORD code = GetLastError();
  if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
    return std::make_error_code(std::errc::file_exists);
  return {static_cast<int>(code), std::system_category()};
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
  std::error_code err = WriteNewFile(temp, bytes);
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
  std::string data(maxBytes, '\0');
  in.read(data.data(), static_cast<std::streamsize>(maxBytes));
  if (in.bad()) return std::nullopt;
  data.resize(static_cast<size_t>(in.gcount()));
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
  if (error.category() == std::system_category()) {
    char* buffer = nullptr;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error.value()), 0, reinterpret_cast<LPSTR>(&buffer), 0,
        nullptr);
    std::string text = n ? DecodeFileText(std::string_view(buffer, n)) : error.message();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
      text.pop_back();
    return text;
  }
#endif
  return error.message();
}

}  // namespace huevox
