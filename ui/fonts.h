#pragma once
#include <QFont>

namespace huevox {

// Every window's text: Tahoma 8.25 pt, or the system's sans font without it
// (platform/windowfont.h makes it available where it can).
inline QFont WindowFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  return font;
}

}  // namespace huevox
