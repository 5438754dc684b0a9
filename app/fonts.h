#pragma once
#include <QFont>

namespace huevox {

// Every window's text: Tahoma 8.25 pt, or the system's sans font without it.
inline QFont WindowFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  return font;
}

}  // namespace huevox
