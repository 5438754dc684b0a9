#pragma once
// Reading the screen's own pixels: the pointer position and the colours under
// it, in the screen's device pixels (not Qt's logical ones), so a device pixel
// ratio above 1 loses nothing.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace huevox {

class ScreenReader {
 public:
  virtual ~ScreenReader() = default;

  // Empty when the screen can be read here; otherwise a sentence for the user.
  virtual QString Unavailable() const = 0;

  // The pointer in device pixels of the whole desktop.
  virtual std::optional<QPoint> PointerPosition() = 0;

  // Colour value 0x00BBGGRR of one device pixel; nothing when it cannot be read.
  virtual std::optional<std::uint32_t> ReadPixel(QPoint position) = 0;

  // The area (device pixels) as an RGB32 image of the area's size; the parts
  // off the screen are black. False when nothing could be read.
  virtual bool ReadArea(const QRect& area, QImage& image) = 0;
};

// The best reader for the platform the application runs on.
std::unique_ptr<ScreenReader> CreateScreenReader();

// The X server's root window through Qt's own connection; null when the
// application is not on X11.
std::unique_ptr<ScreenReader> CreateX11ScreenReader();

// Any platform that lets QScreen::grabWindow read the desktop.
std::unique_ptr<ScreenReader> CreateQtScreenReader();

// For platforms that refuse screen reads: reads nothing, says why.
std::unique_ptr<ScreenReader> CreateUnavailableScreenReader(QString reason);

}  // namespace huevox
