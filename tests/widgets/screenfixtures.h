#pragma once
// Windows of known pixels for the colour tools to read from, and checks on
// the X server's input state.
#include <xcb/xcb.h>

#include <QLabel>
#include <QProcess>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "colortools/colourcode.h"

namespace fixtures {

// Pixel (x, y) of the pattern: each pixel differs from its neighbours.
inline QRgb PatternPixel(int x, int y) { return qRgb((x * 7) & 255, (y * 11) & 255, (x * 3 + y * 5 + 40) & 255); }

inline QImage Pattern(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, PatternPixel(x, y));
  return image;
}

inline std::uint32_t ValueOf(QRgb rgb) { return huevox::ColorValueFromRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

// A borderless window showing the image one image pixel per device pixel.
inline std::unique_ptr<QLabel> ShowImage(const QImage& image, QPoint at, qreal devicePixelRatio = 1) {
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  auto window = std::make_unique<QLabel>(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window->setPixmap(pixmap);
  window->setGeometry(QRect(at, (QSizeF(image.size()) / devicePixelRatio).toSize()));
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  QTest::qWait(50);  // painted, not only mapped
  return window;
}

inline std::unique_ptr<QLabel> ShowColour(const QColor& colour, const QRect& area) {
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(colour);
  return ShowImage(image, area.topLeft());
}

// A key through XTest, as the keyboard would send it ("Right", "shift+Left").
inline bool Key(const QString& keys) { return QProcess::execute("xdotool", {"key", keys}) == 0; }

// Whether another client could take the pointer and the keyboard now.
inline bool InputFree() {
  xcb_connection_t* other = xcb_connect(nullptr, nullptr);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
  const auto pointer = xcb_grab_pointer(other, 0, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, 0, 0, 0);
  const auto keyboard = xcb_grab_keyboard(other, 0, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
  std::unique_ptr<xcb_grab_pointer_reply_t, decltype(&std::free)> p(xcb_grab_pointer_reply(other, pointer, 0), std::free);
  std::unique_ptr<xcb_grab_keyboard_reply_t, decltype(&std::free)> k(xcb_grab_keyboard_reply(other, keyboard, 0), std::free);
  xcb_disconnect(other);  // lets go of whatever it took
  return p && k && p->status == XCB_GRAB_STATUS_SUCCESS && k->status == XCB_GRAB_STATUS_SUCCESS;
}

}  // namespace fixtures
