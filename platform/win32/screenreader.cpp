// Screen reads through GDI on the whole screen's device context. The program
// is per-monitor DPI aware (its manifest), so every coordinate here is a
// device pixel of the virtual desktop.
#include <windows.h>

#include <cstring>

#include "platform/screenreader.h"

namespace huevox::platform {
namespace {

class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

QRect VirtualDesktop() {
  return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

class GdiScreenReader final : public ScreenReader {
 public:
  QString Unavailable() const override { return {}; }

  std::optional<QPoint> PointerPosition() override {
    POINT at;
    if (!GetCursorPos(&at)) return std::nullopt;
    return QPoint(at.x, at.y);
  }

  std::optional<std::uint32_t> ReadPixel(QPoint position) override {
    ScreenDC screen;
    if (!screen.get()) return std::nullopt;
    const COLORREF colour = GetPixel(screen.get(), position.x(), position.y());
    if (colour == CLR_INVALID) return std::nullopt;
    return static_cast<std::uint32_t>(colour);
  }

  bool ReadArea(const QRect& area, QImage& image) override {
    if (image.size() != area.size() || image.format() != QImage::Format_RGB32)
      image = QImage(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRect visible = area & VirtualDesktop();
    if (visible.isEmpty()) return false;
    ScreenDC screen;
    if (!screen.get()) return false;
    HDC memory = CreateCompatibleDC(screen.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = visible.width();
    info.bmiHeader.biHeight = -visible.height();  // top-down rows, like QImage
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = memory && bitmap;
    if (ok) {
      HGDIOBJ old = SelectObject(memory, bitmap);
      ok = BitBlt(memory, 0, 0, visible.width(), visible.height(), screen.get(), visible.x(),
                  visible.y(), SRCCOPY | CAPTUREBLT);
      GdiFlush();
      if (ok) {
        // 32-bit DIB rows are BGRX, which is QImage's RGB32 layout in memory.
        const QPoint offset = visible.topLeft() - area.topLeft();
        const auto* source = static_cast<const uchar*>(bits);
        for (int y = 0; y < visible.height(); ++y) {
          auto* row = reinterpret_cast<QRgb*>(image.scanLine(offset.y() + y)) + offset.x();
          std::memcpy(row, source + std::size_t(y) * visible.width() * 4, std::size_t(visible.width()) * 4);
          for (int x = 0; x < visible.width(); ++x) row[x] |= 0xFF000000u;
        }
      }
      SelectObject(memory, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    return ok;
  }

  bool MovePointer(QPoint position) override {
    // Wine warps by taking X's grab of the pointer and letting it go, and the
    // grab a held button keeps goes with it: the release would reach whatever
    // program lies under the pointer. A clipped cursor keeps Wine's own grab
    // through the warp. A clip of the whole desktop is none to Wine, so the
    // last column stays out of reach until the pointer is released.
    if (kUnderWine && !clipped_) {
      const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
      const RECT desktop{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1,
                         top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
      clipped_ = ClipCursor(&desktop);
    }
    return SetCursorPos(position.x(), position.y());
  }

  void ReleasePointer() override {
    if (clipped_) ClipCursor(nullptr);
    clipped_ = false;
  }

 private:
  static inline const bool kUnderWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
  bool clipped_ = false;
};

}  // namespace

std::unique_ptr<ScreenReader> CreateNativeScreenReader() { return std::make_unique<GdiScreenReader>(); }

}  // namespace huevox::platform
