#include "platform/userdatafolder.h"

#include <cstdlib>
#include <string_view>

namespace huevox::platform {

std::string UserDataFolder() {
  // The base directory rules: a relative XDG_DATA_HOME is to be ignored.
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/share";
  return {};
}

}  // namespace huevox::platform
