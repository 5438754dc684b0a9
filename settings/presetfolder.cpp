#include "settings/presetfolder.h"

#include <algorithm>
#include <filesystem>

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

}  // namespace

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
