#pragma once
// The presets folder: one "<name>.ini" file per preset.
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

// A file or folder the program ships (the intro tune, the sample presets):
// beside the program, as in the build folder or an unzipped release, or else
// in the installed data folder (<program folder>/../share/huevox), found from
// the program's own place so an installed tree can be moved. Empty when
// neither holds it.
std::string FindShippedFile(std::string_view programFolder, std::string_view name);

// The folder presets are listed from and saved to. The "presets" folder beside
// the program when it is there and takes new files; otherwise userFolder (an
// installed program cannot write beside itself), which is created and seeded
// with the shipped presets only when it does not exist yet, so a sample the
// user deleted stays deleted. Native separators.
std::string ChoosePresetsFolder(std::string_view programFolder, std::string_view userFolder);

}  // namespace huevox
