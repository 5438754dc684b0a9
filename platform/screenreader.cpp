#include "platform/screenreader.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/session.h"

namespace huevox::platform {

namespace {

class UnavailableScreenReader final : public ScreenReader {
 public:
  explicit UnavailableScreenReader(QString reason) : reason_(std::move(reason)) {}
  QString Unavailable() const override { return reason_; }
  std::optional<QPoint> PointerPosition() override { return std::nullopt; }
  std::optional<std::uint32_t> ReadPixel(QPoint) override { return std::nullopt; }
  bool ReadArea(const QRect&, QImage&) override { return false; }
  bool MovePointer(QPoint) override { return false; }

 private:
  QString reason_;
};

}  // namespace

std::unique_ptr<ScreenReader> CreateUnavailableScreenReader(QString reason) {
  return std::make_unique<UnavailableScreenReader>(std::move(reason));
}

std::unique_ptr<ScreenReader> CreateScreenReader() {
  const Session session = CurrentSession();
  if (session.wayland && !session.x11) {
    return CreateUnavailableScreenReader(
        QStringLiteral("This desktop (a Wayland session) does not let programs read the colours "
                       "on the screen, so the colour spy cannot pick colours here. Log in to an "
                       "X11 session to pick colours from every window."));
  }
  if (auto reader = CreateNativeScreenReader()) return reader;
  return CreateQtScreenReader();
}

QRect DeviceGeometry(const QScreen* screen) {
  // Qt keeps a screen's top-left corner in device pixels and scales only its size.
  const QRect logical = screen->geometry();
  const qreal ratio = screen->devicePixelRatio();
  return {logical.topLeft(), QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio))};
}

}  // namespace huevox::platform
