#include "settings/fileio.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <random>

#include "platform/fileops.h"
#include "settings/textcodec.h"

namespace fs = std::filesystem;

namespace huevox {
namespace {

// Short and unrelated to the target's name, so any name that fits fits here too.
fs::path TemporarySibling(const fs::path& target) {
  static std::mt19937 rng{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string name = ".hv";
  for (std::uint32_t tag = rng(), k = 0; k < 8; ++k, tag >>= 4) name += kDigits[tag & 15];
  return target.parent_path() / (name + ".tmp");
}

// The file that a path finally names: a write through a symbolic link replaces
// the file it points to, and the link stays.
std::error_code FollowLinks(fs::path& path) {
  for (int hops = 0;; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return {};
    if (hops == 40) return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    const fs::path to = fs::read_symlink(path, ec);
    if (ec) return ec;
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
}

}  // namespace

std::error_code WriteFileAtomically(const fs::path& path, std::string_view bytes, WriteMode mode) {
  fs::path target = path;
  const bool replace = mode == WriteMode::Replace;
  if (replace) {
    if (const std::error_code err = FollowLinks(target)) return err;
  }
  const fs::path temp = TemporarySibling(target);
  std::error_code err = platform::WriteNewFile(temp, bytes, replace ? &target : nullptr);
  if (!err) err = platform::MoveIntoPlace(temp, target, replace);
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
    if (it->is_regular_file(typeError) && !platform::IsHiddenFile(it->path())) return true;
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

std::string DescribeError(std::error_code error) { return platform::DescribeError(error); }

}  // namespace huevox
