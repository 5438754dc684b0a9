#pragma once
// The presets folder beside the program: one "<name>.ini" file per preset.
#include <string>
#include <string_view>
#include <vector>

namespace huevox {

// Names of the ordinary, visible files matching *.ini (any case), sorted
// alphabetically without regard to case, as a file list box shows them.
// A missing folder gives an empty list.
std::vector<std::string> ListPresetFiles(std::string_view folder);

// What the presets list shows for a file: every ".ini" removed, in any case.
std::string PresetDisplayName(std::string_view fileName);

}  // namespace huevox
