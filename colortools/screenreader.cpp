#include "colortools/screenreader.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cmath>

namespace huevox {

namespace {

class UnavailableScreenReader final : public ScreenReader {
 public:
  explicit UnavailableScreenReader(QString reason) : reason_(std::move(reason)) {}
  QString Unavailable() const override { return reason_; }
  std::optional<QPoint> PointerPosition() override { return std::nullopt; }
  std::optional<std::uint32_t> ReadPixel(QPoint) override { return std::nullopt; }
  bool ReadArea(const QRect&, QImage&) override { return false; }

 private:
  QString reason_;
};

// Device pixels of each screen are taken to start at its logical origin times
// its ratio, which holds for the usual layouts of screens with one ratio.
QRect DeviceRect(const QScreen* screen) {
  const qreal ratio = screen->devicePixelRatio();
  const QRect logical = screen->geometry();
  return {QPoint(qRound(logical.x() * ratio), qRound(logical.y() * ratio)),
          QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio))};
}

class QtScreenReader final : public ScreenReader {
 public:
  QString Unavailable() const override { return {}; }

  std::optional<QPoint> PointerPosition() override {
    const QPoint logical = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(logical);
    if (!screen) return std::nullopt;
    const qreal ratio = screen->devicePixelRatio();
    const QPoint origin = DeviceRect(screen).topLeft();
    return origin + QPoint(qRound((logical.x() - screen->geometry().x()) * ratio),
                           qRound((logical.y() - screen->geometry().y()) * ratio));
  }

  std::optional<std::uint32_t> ReadPixel(QPoint position) override {
    QImage pixel(1, 1, QImage::Format_RGB32);
    if (!ReadArea(QRect(position, QSize(1, 1)), pixel)) return std::nullopt;
    const QRgb rgb = pixel.pixel(0, 0);
    return std::uint32_t(qRed(rgb)) | std::uint32_t(qGreen(rgb)) << 8 | std::uint32_t(qBlue(rgb)) << 16;
  }

  bool ReadArea(const QRect& area, QImage& image) override {
    if (image.size() != area.size() || image.format() != QImage::Format_RGB32)
      image = QImage(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    bool any = false;
    QPainter painter(&image);
    for (QScreen* screen : QGuiApplication::screens()) {
      const QRect device = DeviceRect(screen);
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

#ifndef HUEVOX_X11_SCREEN_READER
std::unique_ptr<ScreenReader> CreateX11ScreenReader() { return nullptr; }
#endif

std::unique_ptr<ScreenReader> CreateQtScreenReader() { return std::make_unique<QtScreenReader>(); }

std::unique_ptr<ScreenReader> CreateUnavailableScreenReader(QString reason) {
  return std::make_unique<UnavailableScreenReader>(std::move(reason));
}

std::unique_ptr<ScreenReader> CreateScreenReader() {
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("xcb")) {
    if (auto reader = CreateX11ScreenReader()) return reader;
  }
  if (platform.startsWith(QLatin1String("wayland"))) {
    return CreateUnavailableScreenReader(
        QStringLiteral("This desktop (a Wayland session) does not let programs read the colours "
                       "on the screen, so the colour spy cannot pick colours here. Log in to an "
                       "X11 session to use it."));
  }
  return CreateQtScreenReader();
}

}  // namespace huevox
