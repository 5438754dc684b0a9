#include "settings/presetstore.h"

#include <algorithm>
#include <filesystem>

#include "settings/fileio.h"
#include "settings/ini.h"
#include "settings/textcodec.h"
#include "styles/stylecode.h"

namespace fs = std::filesystem;

namespace huevox {
namespace {

constexpr std::string_view kSection = "config";
constexpr std::size_t kMaxFileNameBytes = 255;

bool IsReservedDeviceName(std::string_view name) {
  // Windows keeps these names for devices, with any extension after them.
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>((c >= 'a' && c <= 'z') ? c - 32 : c);
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::optional<std::string> PresetNameProblem(std::string_view name) {
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F)
      return "A preset name cannot contain control characters such as tabs or line breaks.";
    if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return "A preset name cannot contain any of these characters: \\ / : * ? \" < > |";
  }
  if (name.find_first_not_of(". ") == std::string_view::npos)
    return "A preset name needs more than dots and spaces.";
  if (name.front() == '.')
    return "A preset name cannot start with a dot: the file would be hidden.";
  if (name.back() == '.' || name.back() == ' ')
    return "A preset name cannot end with a dot or a space.";
  if (IsReservedDeviceName(name))
    return std::string(1, '"').append(name).append("\" is reserved for a device on Windows; please choose another name.");
  if (EncodeFileText(name).size() + 4 > kMaxFileNameBytes || name.size() + 4 > kMaxFileNameBytes)
    return "That name is too long for a file name; please choose a shorter one.";
  return std::nullopt;
}

std::string PresetFileBytes(const FontSetting& setting) {
  std::string text = "[";
  text.append(kSection).append("]\r\n");
  const auto put = [&text](std::string_view key, std::string_view value) {
    // A line break typed into a field must not start a line of its own.
    std::string line(key);
    line.append("=").append(value);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    text += line + "\r\n";
  };
  put("FONTCOLOR", setting.fontColor);
  put("BGCOLOR", setting.backgroundColor);
  put("FONT", setting.face);
  put("SIZE", setting.size);
  put("STYLE", std::to_string(setting.style));
  return EncodeFileText(text);
}

SaveResult SavePreset(std::string_view folder, std::string_view name, const FontSetting& setting) {
  using Outcome = SaveResult::Outcome;
  if (name.empty()) return {Outcome::NoName, {}};
  if (auto problem = PresetNameProblem(name)) return {Outcome::Refused, std::move(*problem)};
  const std::string path = std::string(folder) + "/" + std::string(name) + ".ini";
  if (FileExists(path)) return {Outcome::Exists, {}};

  std::error_code err;
  fs::create_directories(PathFromUtf8(folder), err);
  if (!err)
    err = WriteFileAtomically(PathFromUtf8(path), PresetFileBytes(setting), WriteMode::CreateNew);
  // A file of that name that appeared after the check is still never replaced.
  if (err == std::errc::file_exists) return {Outcome::Exists, {}};
  if (err) return {Outcome::Failed, DescribeError(err)};
  return {Outcome::Saved, {}};
}

std::optional<LoadedPreset> LoadPreset(std::string_view path) {
  const std::optional<IniDocument> read = ReadIniFile(path);
  if (!read) return std::nullopt;
  const IniDocument& file = *read;
  LoadedPreset preset;
  preset.fontColor = ReadIni(file, kSection, "fontcolor");
  preset.backgroundColor = ReadIni(file, kSection, "bgcolor");
  preset.face = ReadIni(file, kSection, "font");
  preset.size = ReadIni(file, kSection, "size");
  if (const auto box = StyleBoxForText(ReadIni(file, kSection, "Style")))
    preset.style = StyleCodeOfBox(*box);
  return preset;
}

}  // namespace huevox
