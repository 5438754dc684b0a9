#include "platform/windowfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace huevox::platform {

// Wine's metric-compatible Tahoma (Debian's fonts-wine), which is not in the
// fontconfig paths. The title strip's caption is spaced with blanks measured
// in Tahoma.
void LoadWindowFont() {
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return;
  for (const char* file : {"tahoma.ttf", "tahomabd.ttf"})
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file));
}

}  // namespace huevox::platform
