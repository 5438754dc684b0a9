#pragma once
// Where a user's own program data lives; the one place that differs per platform.
#include <string>

namespace huevox::platform {

// The per-user data folder (UTF-8, no trailing separator): $XDG_DATA_HOME or
// ~/.local/share on Linux, the roaming application data folder on Windows.
// Empty when the system names none.
std::string UserDataFolder();

}  // namespace huevox::platform
