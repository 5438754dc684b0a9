#include "ui/framedwindow.h"

#include <QPainter>
#include <qdrawutil.h>

namespace huevox {

FramedWindow::FramedWindow(QSize clientSizePx, Qt::WindowFlags extraFlags)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | extraFlags),
      client_(new QWidget(this)) {
  client_->setObjectName(QStringLiteral("clientArea"));
  // Fixed, so that tiling window managers (sway, i3) float it at its size.
  setFixedSize(clientSizePx.width() + 2 * kFramePx, clientSizePx.height() + 2 * kFramePx);
}

void FramedWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  const QRect r = rect();
  qDrawWinPanel(&p, r, pal, false);
  p.setPen(pal.color(QPalette::Window));
  p.drawRect(r.adjusted(2, 2, -3, -3));
}

void FramedWindow::resizeEvent(QResizeEvent*) {
  client_->setGeometry(rect().adjusted(kFramePx, kFramePx, -kFramePx, -kFramePx));
}

}  // namespace huevox
