// The X server's root window read with xcb: one round trip for the pointer,
// one for the pixels, nothing held in between. On a connection of its own
// where it can: a reply on Qt's connection passes through Qt's event thread,
// which costs two more thread wake-ups per read.
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/screenreader.h"
#include "platform/x11/xcbreply.h"

namespace huevox::platform {

namespace {

// Turns one channel, as the visual's mask places it, into 0-255.
struct Channel {
  int shift = 0;
  std::uint32_t max = 0;
  explicit Channel(std::uint32_t mask = 0) {
    if (!mask) return;
    while (!(mask & 1)) {
      mask >>= 1;
      ++shift;
    }
    max = mask;
  }
  std::uint32_t Of(std::uint32_t pixel) const {
    if (!max) return 0;
    return (((pixel >> shift) & max) * 255 + max / 2) / max;
  }
};

class X11ScreenReader final : public ScreenReader {
 public:
  X11ScreenReader(xcb_connection_t* connection, bool owned) : connection_(connection), owned_(owned) {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    bigEndian_ = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    for (auto it = xcb_setup_roots_iterator(setup); it.rem; xcb_screen_next(&it)) {
      if (!root_) root_ = it.data->root;
      screens_.push_back(Describe(setup, it.data));
    }
  }

  ~X11ScreenReader() override {
    if (owned_) xcb_disconnect(connection_);
  }

  QString Unavailable() const override { return {}; }

  bool MovePointer(QPoint position) override {
    if (position.x() < 0 || position.y() < 0 || position.x() > 0x7fff || position.y() > 0x7fff) return false;
    xcb_warp_pointer(connection_, XCB_NONE, root_, 0, 0, 0, 0, std::int16_t(position.x()), std::int16_t(position.y()));
    return xcb_flush(connection_) > 0;
  }

  std::optional<QPoint> PointerPosition() override {
    XcbReply<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr));
    if (!reply) return std::nullopt;
    // The reply names the root of the X screen the pointer is on.
    root_ = reply->root;
    return QPoint(reply->root_x, reply->root_y);
  }

  std::optional<std::uint32_t> ReadPixel(QPoint position) override {
    const ScreenFormat* format = FormatOf(root_);
    if (!format || position.x() < 0 || position.y() < 0 || position.x() > 0x7fff || position.y() > 0x7fff)
      return std::nullopt;
    XcbReply<xcb_get_image_reply_t> reply(GetImage(QRect(position, QSize(1, 1))));
    if (!reply || xcb_get_image_data_length(reply.get()) < format->bytesPerPixel) return std::nullopt;
    const std::uint32_t pixel = PixelAt(*format, xcb_get_image_data(reply.get()));
    return format->red.Of(pixel) | format->green.Of(pixel) << 8 | format->blue.Of(pixel) << 16;
  }

  bool ReadArea(const QRect& area, QImage& image) override {
    if (image.size() != area.size() || image.format() != QImage::Format_RGB32)
      image = QImage(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    const ScreenFormat* format = FormatOf(root_);
    if (!format) return false;
    // The server refuses a read that reaches past the root window, whose size
    // is asked again only when a read fails (the screen may have changed).
    QRect part = area & RootRect(false);
    XcbReply<xcb_get_image_reply_t> reply(part.isEmpty() ? nullptr : GetImage(part));
    if (!reply) {
      part = area & RootRect(true);
      if (part.isEmpty()) return false;
      reply.reset(GetImage(part));
      if (!reply) return false;
    }
    const std::uint8_t* data = xcb_get_image_data(reply.get());
    const int stride = xcb_get_image_data_length(reply.get()) / part.height();
    if (stride < part.width() * format->bytesPerPixel) return false;
    const bool plain = format->bytesPerPixel == 4 && !bigEndian_ && format->red.shift == 16 &&
                       format->green.shift == 8 && format->blue.shift == 0 && format->red.max == 255 &&
                       format->green.max == 255 && format->blue.max == 255;
    for (int y = 0; y < part.height(); ++y) {
      const std::uint8_t* row = data + y * stride;
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(part.y() - area.y() + y)) + (part.x() - area.x());
      if (plain) {
        std::memcpy(out, row, part.width() * 4);
        for (int x = 0; x < part.width(); ++x) out[x] |= 0xff000000u;
        continue;
      }
      for (int x = 0; x < part.width(); ++x) {
        const std::uint32_t pixel = PixelAt(*format, row + x * format->bytesPerPixel);
        out[x] = qRgb(format->red.Of(pixel), format->green.Of(pixel), format->blue.Of(pixel));
      }
    }
    return true;
  }

 private:
  struct ScreenFormat {
    xcb_window_t root = 0;
    int bytesPerPixel = 0;  // 0: a format this reader does not decode
    Channel red, green, blue;
  };

  static ScreenFormat Describe(const xcb_setup_t* setup, const xcb_screen_t* screen) {
    ScreenFormat format;
    format.root = screen->root;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
      if (it.data->depth == screen->root_depth && it.data->bits_per_pixel % 8 == 0 &&
          it.data->bits_per_pixel >= 16 && it.data->bits_per_pixel <= 32)
        format.bytesPerPixel = it.data->bits_per_pixel / 8;
    }
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem; xcb_depth_next(&depths)) {
      for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals)) {
        if (visuals.data->visual_id != screen->root_visual) continue;
        if (visuals.data->_class != XCB_VISUAL_CLASS_TRUE_COLOR &&
            visuals.data->_class != XCB_VISUAL_CLASS_DIRECT_COLOR)
          format.bytesPerPixel = 0;
        format.red = Channel(visuals.data->red_mask);
        format.green = Channel(visuals.data->green_mask);
        format.blue = Channel(visuals.data->blue_mask);
      }
    }
    return format;
  }

  QRect RootRect(bool ask) {
    if (ask || rootSizeOf_ != root_) {
      XcbReply<xcb_get_geometry_reply_t> geometry(
          xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, root_), nullptr));
      rootSize_ = geometry ? QSize(geometry->width, geometry->height) : QSize();
      rootSizeOf_ = root_;
    }
    return QRect(QPoint(0, 0), rootSize_);
  }

  const ScreenFormat* FormatOf(xcb_window_t root) const {
    for (const ScreenFormat& format : screens_)
      if (format.root == root) return format.bytesPerPixel ? &format : nullptr;
    return nullptr;
  }

  xcb_get_image_reply_t* GetImage(const QRect& rect) {
    const auto cookie = xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, std::int16_t(rect.x()),
                                      std::int16_t(rect.y()), std::uint16_t(rect.width()),
                                      std::uint16_t(rect.height()), ~0u);
    xcb_generic_error_t* error = nullptr;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(connection_, cookie, &error);
    std::free(error);
    return reply;
  }

  std::uint32_t PixelAt(const ScreenFormat& format, const std::uint8_t* bytes) const {
    std::uint32_t pixel = 0;
    for (int i = 0; i < format.bytesPerPixel; ++i) {
      const int index = bigEndian_ ? i : format.bytesPerPixel - 1 - i;
      pixel = pixel << 8 | bytes[index];
    }
    return pixel;
  }

  xcb_connection_t* connection_;
  bool owned_;
  xcb_window_t root_ = 0;
  bool bigEndian_ = false;
  xcb_window_t rootSizeOf_ = 0;
  QSize rootSize_;
  std::vector<ScreenFormat> screens_;
};

xcb_atom_t Atom(xcb_connection_t* connection, const char* name, bool create) {
  XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, !create, std::uint16_t(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Whether two connections reach the same server: an atom made on one is
// known, by the same number, on the other.
bool SameServer(xcb_connection_t* a, xcb_connection_t* b) {
  static const char kProbe[] = "_HUEVOX_SCREEN_READER";
  const xcb_atom_t atom = Atom(a, kProbe, true);
  return atom != XCB_ATOM_NONE && Atom(b, kProbe, false) == atom;
}

}  // namespace

std::unique_ptr<ScreenReader> CreateNativeScreenReader() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return nullptr;
  // Qt may have been told another display than $DISPLAY: then Qt's.
  xcb_connection_t* own = xcb_connect(nullptr, nullptr);
  if (!xcb_connection_has_error(own) && SameServer(x11->connection(), own))
    return std::make_unique<X11ScreenReader>(own, true);
  xcb_disconnect(own);
  return std::make_unique<X11ScreenReader>(x11->connection(), false);
}

}  // namespace huevox::platform
