#pragma once
// Windows of known pixels for the colour tools to read from.
#include <QLabel>
#include <QTest>
#include <memory>

#include "colortools/colourcode.h"

namespace fixtures {

// Pixel (x, y) of the pattern: each pixel differs from its neighbours.
inline QRgb PatternPixel(int x, int y) {
  return qRgb((x * 7) & 255, (y * 11) & 255, (x * 3 + y * 5 + 40) & 255);
}

inline QImage Pattern(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, PatternPixel(x, y));
  return image;
}

inline std::uint32_t ValueOf(QRgb rgb) { return huevox::ColourValue(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

// A borderless window showing the image one image pixel per device pixel.
inline std::unique_ptr<QLabel> ShowImage(const QImage& image, QPoint at, qreal devicePixelRatio = 1) {
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  auto window = std::make_unique<QLabel>(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window->setPixmap(pixmap);
  window->setGeometry(QRect(at, (QSizeF(image.size()) / devicePixelRatio).toSize()));
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  QTest::qWait(50);
  return window;
}

inline std::unique_ptr<QLabel> ShowColour(const QColor& colour, const QRect& area) {
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(colour);
  return ShowImage(image, area.topLeft());
}

}  // namespace fixtures
