// Stands in for huevox.exe in the installer test while no Windows release
// folder is given: picks the presets folder as the program does, saves a preset.
#include <windows.h>

#include "platform/userdatafolder.h"
#include "settings/presetfolder.h"
#include "settings/presetstore.h"
#include "settings/textcodec.h"

int main() {
  wchar_t exe[MAX_PATH];
  const std::string path = huevox::FromWide({exe, GetModuleFileNameW(nullptr, exe, MAX_PATH)});
  const std::string user = huevox::platform::UserDataFolder() + "\\Huevox\\presets";
  const std::string folder = huevox::ChoosePresetsFolder(path.substr(0, path.rfind('\\')), user);
  return huevox::SavePreset(folder, "Installed", {}).outcome != huevox::SaveResult::Outcome::Saved;
}
