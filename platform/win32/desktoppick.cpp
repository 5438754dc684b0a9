#include "platform/desktoppick.h"

namespace huevox::platform {

// Windows lets every program read the screen: the colour spy picks itself.
std::unique_ptr<DesktopColourPick> CreateDesktopColourPick() { return nullptr; }

}  // namespace huevox::platform
