#pragma once
// Reading the screen's own pixels: the pointer position and the colours under
// it. Everything here is in device pixels of the whole desktop, the
// platform's own coordinates (X11: root window pixels; Windows: physical
// screen pixels of a per-monitor DPI aware process), never Qt's logical ones,
// so a device pixel ratio above 1 loses nothing.
//
// One native backend per platform, chosen by the build; a QScreen fallback and
// a stand-in that reads nothing sit beside it.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QScreen;

namespace huevox::platform {

class ScreenReader {
 public:
  virtual ~ScreenReader() = default;

  // Empty when the screen can be read here; otherwise a sentence for the user.
  virtual QString Unavailable() const = 0;

  // The pointer, in device pixels of the whole desktop (the same space as
  // DeviceGeometry below); nothing when it cannot be asked.
  virtual std::optional<QPoint> PointerPosition() = 0;

  // Colour value 0x00BBGGRR (red in the low byte) of the device pixel at
  // position; nothing when it cannot be read (off every screen, read refused).
  virtual std::optional<std::uint32_t> ReadPixel(QPoint position) = 0;

  // The area (device pixels) as an RGB32 image of exactly the area's size,
  // one image pixel per device pixel; the parts off every screen are black.
  // False when nothing at all could be read.
  virtual bool ReadArea(const QRect& area, QImage& image) = 0;

  // Puts the pointer on the device pixel at position (a real pointer move,
  // seen by every program), keeping a held button's hold on the pointer.
  // False when the platform refused.
  virtual bool MovePointer(QPoint position) = 0;

  // The moves are over: lets go of whatever kept that hold.
  virtual void ReleasePointer() {}
};

// The native backend of this build (platform/x11, platform/win32); null when
// it does not fit the session the application runs in.
std::unique_ptr<ScreenReader> CreateNativeScreenReader();

// Any platform that lets QScreen::grabWindow read the desktop.
std::unique_ptr<ScreenReader> CreateQtScreenReader();

// For platforms that refuse screen reads: reads nothing, says why.
std::unique_ptr<ScreenReader> CreateUnavailableScreenReader(QString reason);

// The best reader for the session: the native one, else the fallback.
std::unique_ptr<ScreenReader> CreateScreenReader();

// A screen's rectangle in device pixels of the desktop.
QRect DeviceGeometry(const QScreen* screen);

}  // namespace huevox::platform
