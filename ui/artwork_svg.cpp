#include <QPainter>
#include <QSvgRenderer>

#include "ui/artwork.h"

namespace huevox {

QIcon ArtworkIcon(const QString& name) { return QIcon(name + QStringLiteral(".svg")); }

QPixmap ArtworkPixmap(const QString& name, QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(name + QStringLiteral(".svg"));
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

}  // namespace huevox
