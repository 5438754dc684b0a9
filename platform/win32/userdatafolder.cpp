#include "platform/userdatafolder.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace huevox::platform {

std::string UserDataFolder() {
  PWSTR path = nullptr;
  std::string folder;
  // Roaming, so presets follow the user to the other machines of a domain.
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path))) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
    if (size > 1) {
      folder.resize(size);
      WideCharToMultiByte(CP_UTF8, 0, path, -1, folder.data(), size, nullptr, nullptr);
      folder.resize(size - 1);  // the terminating null
    }
  }
  CoTaskMemFree(path);
  return folder;
}

}  // namespace huevox::platform
