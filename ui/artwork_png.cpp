#include <QFile>

#include "ui/artwork.h"

namespace huevox {

// QIcon finds the "@2x" rendering beside the plain one by itself.
QIcon ArtworkIcon(const QString& name) { return QIcon(name + QStringLiteral(".png")); }

QPixmap ArtworkPixmap(const QString& name, QSize size) {
  QPixmap pixmap(name + QStringLiteral(".png"));
  if (size.width() > pixmap.width() || size.height() > pixmap.height()) {
    const QString large = name + QStringLiteral("@2x.png");
    if (QFile::exists(large)) pixmap.load(large);
  }
  if (pixmap.size() == size) return pixmap;
  return pixmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace huevox
