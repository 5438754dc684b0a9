#pragma once
// Presets on disk: "<name>.ini" in the presets folder, one [config] section
// with FONTCOLOR, BGCOLOR, FONT, SIZE and STYLE, values stored as typed.
#include <optional>
#include <string>
#include <string_view>

#include "settings/fontsetting.h"

namespace huevox {

// Why a name cannot be a preset file name on Windows or Linux, or nothing
// when it can. The empty name is the caller's to handle.
std::optional<std::string> PresetNameProblem(std::string_view name);

// The whole file: [config] and the five keys, each line ended by CR LF, in
// the file code page.
std::string PresetFileBytes(const FontSetting& setting);

struct SaveResult {
  enum class Outcome { NoName, Refused, Exists, Failed, Saved };
  Outcome outcome;
  std::string reason;  // for Refused and Failed: a sentence for the user
};

// Checks the name, refuses to replace any preset of that name in any case,
// creates the folder when it is missing, and writes the file whole or not at all.
SaveResult SavePreset(std::string_view folder, std::string_view name, const FontSetting& setting);

struct LoadedPreset {
  std::string fontColor;
  std::string backgroundColor;
  std::string face;
  std::string size;
  std::optional<int> style;  // only a code that a style box stands for
};

// Nothing when the file is not there or cannot be read; missing keys give empty values.
std::optional<LoadedPreset> LoadPreset(std::string_view path);

}  // namespace huevox
