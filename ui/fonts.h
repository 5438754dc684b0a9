#pragma once
#include <QFont>

namespace huevox {

// Makes Tahoma available where the system has none: Wine's metric-compatible
// Tahoma (Debian's fonts-wine), which is not in the fontconfig paths. The
// title strip's caption is spaced with blanks measured in Tahoma.
void LoadWindowFont();

// Every window's text: Tahoma 8.25 pt, or the system's sans font without it.
inline QFont WindowFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  return font;
}

}  // namespace huevox
