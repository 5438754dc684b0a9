#include "settings/presetfolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "settings/textcodec.h"
#include "settings/textutil.h"

namespace fs = std::filesystem;

namespace huevox {
namespace {

std::u32string Folded(std::string_view s) {
  std::u32string cps = ToCodePoints(s);
  for (char32_t& c : cps) c = FoldCase(c);
  return cps;
}

bool HasIniExtension(std::string_view name) {
  return name.size() > 4 && EqualsIgnoreCase(name.substr(name.size() - 4), ".ini");
}

bool TakesNewFiles(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return false;
  // Asking by writing: permission bits say nothing for root, ACLs or read-only mounts.
  const fs::path probe = folder / ".huevox-write-check";
  if (!std::ofstream(probe, std::ios::binary)) return false;
  fs::remove(probe, ec);
  return true;
}

// Filled under another name and renamed, so a second instance starting at the
// same time never sees half the samples.
void CreateSeeded(const fs::path& folder, const std::string& samples) {
  std::error_code ec;
  fs::create_directories(folder.parent_path(), ec);
  fs::path staging = folder;
  staging += ".new" + std::to_string(std::random_device{}() % 1000000u);
  if (!fs::create_directory(staging, ec)) return;
  if (!samples.empty()) {
    for (const std::string& name : ListPresetFiles(samples))
      fs::copy_file(PathFromUtf8(samples) / PathFromUtf8(name), staging / PathFromUtf8(name), ec);
  }
  fs::rename(staging, folder, ec);
  if (ec) fs::remove_all(staging, ec);
}

std::string FindShipped(std::string_view programFolder, std::string_view name, bool folder) {
  const fs::path program = PathFromUtf8(programFolder);
  const fs::path file = PathFromUtf8(name);
  std::error_code ec;
  for (fs::path candidate : {program / file, program / HUEVOX_DATA_FROM_PROGRAM / file}) {
    candidate = candidate.lexically_normal().make_preferred();
    if (folder ? fs::is_directory(candidate, ec) : fs::exists(candidate, ec)) return PathToUtf8(candidate);
  }
  return {};
}

}  // namespace

std::string FindShippedFile(std::string_view programFolder, std::string_view name) {
  return FindShipped(programFolder, name, false);
}

std::string ChoosePresetsFolder(std::string_view programFolder, std::string_view userFolder) {
  const fs::path beside = PathFromUtf8(programFolder) / "presets";
  if (userFolder.empty() || TakesNewFiles(beside))
    return PathToUtf8(beside.lexically_normal().make_preferred());
  const fs::path folder = PathFromUtf8(userFolder).lexically_normal().make_preferred();
  std::error_code ec;
  // A file in the way beside the program does not hide the installed samples.
  if (!fs::exists(folder, ec)) CreateSeeded(folder, FindShipped(programFolder, "presets", true));
  return PathToUtf8(folder);
}

std::vector<std::string> ListPresetFiles(std::string_view folder) {
  std::vector<std::pair<std::u32string, std::string>> found;
  std::error_code ec;
  for (fs::directory_iterator it(PathFromUtf8(folder), ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = PathToUtf8(it->path().filename());
    std::error_code typeError;
    if (name.empty() || name[0] == '.' || !HasIniExtension(name) || !it->is_regular_file(typeError))
      continue;
    found.emplace_back(Folded(name), name);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> names;
  names.reserve(found.size());
  for (auto& entry : found) names.push_back(std::move(entry.second));
  return names;
}

std::string PresetDisplayName(std::string_view fileName) {
  return ReplaceText(FileNameForDisplay(fileName), ".ini", "");
}

}  // namespace huevox
