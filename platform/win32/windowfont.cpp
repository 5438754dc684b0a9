#include "platform/windowfont.h"

#include <QDir>
#include <QFontDatabase>
#include <QStringList>

namespace huevox::platform {

// Windows has Tahoma. Wine may keep its own from programs (Debian's does):
// then it is taken from Wine's data folder, which Wine names to every program
// it runs as an NT path ("\??\Z:\usr\share\wine").
void LoadWindowFont() {
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return;
  QString wine = qEnvironmentVariable("WINEDATADIR");
  if (wine.isEmpty()) return;
  if (wine.startsWith(QStringLiteral("\\??\\"))) wine.remove(0, 4);
  for (const char* file : {"tahoma.ttf", "tahomabd.ttf"})
    QFontDatabase::addApplicationFont(QDir(wine).filePath(QStringLiteral("fonts/") + QLatin1String(file)));
}

}  // namespace huevox::platform
