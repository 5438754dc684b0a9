// The fallback reader: QScreen::grabWindow, screen by screen.
#include "platform/screenreader.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cmath>

namespace huevox::platform {

namespace {

class QtScreenReader final : public ScreenReader {
 public:
  QString Unavailable() const override { return {}; }

  std::optional<QPoint> PointerPosition() override {
    const QPoint logical = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(logical);
    if (!screen) return std::nullopt;
    const qreal ratio = screen->devicePixelRatio();
    const QPoint origin = screen->geometry().topLeft();  // the same in both spaces
    return origin + QPoint(qRound((logical.x() - origin.x()) * ratio), qRound((logical.y() - origin.y()) * ratio));
  }

  std::optional<std::uint32_t> ReadPixel(QPoint position) override {
    QImage pixel(1, 1, QImage::Format_RGB32);
    if (!ReadArea(QRect(position, QSize(1, 1)), pixel)) return std::nullopt;
    const QRgb rgb = pixel.pixel(0, 0);
    return std::uint32_t(qRed(rgb)) | std::uint32_t(qGreen(rgb)) << 8 | std::uint32_t(qBlue(rgb)) << 16;
  }

  bool MovePointer(QPoint position) override {
    for (QScreen* screen : QGuiApplication::screens()) {
      const QRect device = DeviceGeometry(screen);
      if (!device.contains(position)) continue;
      const qreal ratio = screen->devicePixelRatio();
      const QPoint origin = device.topLeft();
      QCursor::setPos(screen, origin + (position - origin) / ratio);
      return true;
    }
    return false;
  }

  bool ReadArea(const QRect& area, QImage& image) override {
    if (image.size() != area.size() || image.format() != QImage::Format_RGB32)
      image = QImage(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    bool any = false;
    QPainter painter(&image);
    for (QScreen* screen : QGuiApplication::screens()) {
      const QRect device = DeviceGeometry(screen);
      const QRect part = area & device;
      if (part.isEmpty()) continue;
      // grabWindow takes logical coordinates relative to the screen: grab the
      // logical pixels covering the part, then cut the device pixels out.
      const qreal ratio = screen->devicePixelRatio();
      const QRect local = part.translated(-device.topLeft());
      const int lx = int(std::floor(local.x() / ratio));
      const int ly = int(std::floor(local.y() / ratio));
      const int lw = int(std::ceil((local.x() + local.width()) / ratio)) - lx;
      const int lh = int(std::ceil((local.y() + local.height()) / ratio)) - ly;
      QPixmap grabbed = screen->grabWindow(0, lx, ly, lw, lh);
      if (grabbed.isNull()) continue;
      QImage pixels = grabbed.toImage();
      pixels.setDevicePixelRatio(1);  // copied pixel for pixel, not scaled back
      const qreal scale = pixels.width() / qreal(lw);  // the grab's own pixels per logical one
      const QPoint from(qRound((local.x() - lx * ratio) * scale / ratio),
                        qRound((local.y() - ly * ratio) * scale / ratio));
      if (qFuzzyCompare(scale, ratio)) {
        painter.drawImage(part.topLeft() - area.topLeft(), pixels, QRect(from, part.size()));
      } else {
        painter.drawImage(QRect(part.topLeft() - area.topLeft(), part.size()), pixels,
                          QRectF(from, QSizeF(part.size()) * scale / ratio));
      }
      any = true;
    }
    return any;
  }
};

}  // namespace

std::unique_ptr<ScreenReader> CreateQtScreenReader() { return std::make_unique<QtScreenReader>(); }

}  // namespace huevox::platform
