#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace huevox {

void LoadWindowFont() {
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return;
  for (const char* file : {"tahoma.ttf", "tahomabd.ttf"})
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file));
}

}  // namespace huevox
