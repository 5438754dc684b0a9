#include "platform/fileops.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace huevox::platform {
namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Name bytes that are not UTF-8 travel as U+EF80 + byte (private use), so that
// they survive any UTF-8 text. The UTF-8 of U+EF80..U+EFFF itself in a name
// is escaped the same way, byte by byte, which keeps the mapping one to one.
constexpr char32_t kEscapeBase = 0xEF00;
bool IsEscape(char32_t c) { return c >= 0xEF80 && c <= 0xEFFF; }

// Length of the well-formed UTF-8 sequence at s[i] (its value in cp), or 0.
size_t SequenceAt(std::string_view s, size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) return cp = b0, 1;
  const size_t len = (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
  if (len == 0 || i + len > s.size()) return 0;
  cp = b0 & (0x7F >> len);
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

void AppendEscape(std::string& out, unsigned char byte) {
  const char32_t c = kEscapeBase + byte;  // three UTF-8 bytes: EE BE/BF xx
  out += static_cast<char>(0xE0 | (c >> 12));
  out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace

std::error_code WriteNewFile(const fs::path& temp, std::string_view bytes, const fs::path* replacing) {
  struct stat old {};
  const bool keep = replacing && ::stat(replacing->c_str(), &old) == 0;
  if (keep) {
    // Read-only means no write bit at all, even for root, as on Windows.
    if ((old.st_mode & 0222) == 0 || ::access(replacing->c_str(), W_OK) != 0)
      return std::make_error_code(std::errc::permission_denied);
  }
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return LastError();
  std::error_code err;
  if (keep) {
    // The owner first: a change of owner clears set-id bits. Only root may
    // give a file away, so another owner is kept where that is allowed.
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
      (void)::fchown(fd, old.st_uid, old.st_gid);
    if (::fchmod(fd, old.st_mode & 07777) != 0) err = LastError();
  }
  for (size_t done = 0; !err && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) err = n < 0 ? LastError() : std::make_error_code(std::errc::io_error);
    else done += static_cast<size_t>(n);
  }
  if (!err && ::fsync(fd) != 0 && errno != EINVAL) err = LastError();
  if (::close(fd) != 0 && !err) err = LastError();
  return err;
}

std::error_code MoveIntoPlace(const fs::path& from, const fs::path& to, bool replace) {
  if (replace) return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS) return LastError();
  // File systems without RENAME_NOREPLACE: a hard link fails just as atomically.
  if (::link(from.c_str(), to.c_str()) != 0) return LastError();
  ::unlink(from.c_str());
  return {};
}

bool IsHiddenFile(const fs::path& file) {
  const std::string name = file.filename().native();
  return name.empty() || name[0] == '.';
}

std::string DescribeError(std::error_code error) { return error.message(); }

fs::path PathFromText(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const size_t len = SequenceAt(text, i, cp);
    if (len == 3 && IsEscape(cp)) {
      bytes += static_cast<char>(cp - kEscapeBase);
    } else {
      bytes.append(text.substr(i, len ? len : 1));
    }
    i += len ? len : 1;
  }
  return fs::path(std::move(bytes));
}

std::string PathToText(const fs::path& path) {
  const std::string& bytes = path.native();
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    char32_t cp = 0;
    const size_t len = SequenceAt(bytes, i, cp);
    if (len == 0 || IsEscape(cp)) {
      for (size_t k = 0; k < (len ? len : 1); ++k) AppendEscape(text, static_cast<unsigned char>(bytes[i + k]));
    } else {
      text.append(bytes, i, len);
    }
    i += len ? len : 1;
  }
  return text;
}

}  // namespace huevox::platform
