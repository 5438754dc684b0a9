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

// The window font in bold, in a face whose bold is visibly heavier than its
// regular: some Tahomas' bold is only wider. Measured once.
QFont BoldWindowFont();

}  // namespace huevox
