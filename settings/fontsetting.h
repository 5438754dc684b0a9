#pragma once
// The current font setting, as the main window holds it: texts taken as typed.
#include <string>

namespace huevox {

struct FontSetting {
  std::string fontColor = "000000";        // RRGGBB
  std::string backgroundColor = "FFFFFF";  // RRGGBB
  std::string face = "Tahoma";
  std::string size = "8";
  int style = 0;  // 0..7: 1 underline + 2 bold + 4 italic
};

}  // namespace huevox
