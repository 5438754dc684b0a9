// The session as the running application sees it: the environment, and
// whether Qt is an X11 client, and what the X server says of itself.
#include <xcb/xcb.h>

#include <QGuiApplication>

#include "platform/session.h"
#include "platform/x11/xcbreply.h"

namespace huevox::platform {

namespace {

// Xwayland 23.1 and later carry an extension of their own name; Debian 12's
// 22.1 does not, so this is one more sign, never the only one.
bool ServerIsXwayland(xcb_connection_t* connection) {
  static const char kXwayland[] = "XWAYLAND";
  const auto reply = Take<xcb_query_extension_reply_t>(
      connection, xcb_query_extension(connection, sizeof kXwayland - 1, kXwayland), xcb_query_extension_reply);
  return reply && reply->present;
}

}  // namespace

Session CurrentSession() {
  Session session = SessionFromEnvironment();
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  session.x11 = x11 && x11->connection();
  if (session.x11 && !session.wayland) {
    static const bool xwayland = ServerIsXwayland(x11->connection());
    session.wayland = xwayland;
  }
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) session.wayland = true;
  return session;
}

}  // namespace huevox::platform
