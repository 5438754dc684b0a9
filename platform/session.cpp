#include "platform/session.h"

#include <cstdlib>
#include <string_view>

namespace huevox::platform {

namespace {

bool Set(const Environment& environment, const char* name) {
  const char* value = environment(name);
  return value && *value;
}

}  // namespace

const char* ProcessEnvironment(const char* name) { return std::getenv(name); }

Session SessionFromEnvironment(const Environment& environment) {
  const char* type = environment("XDG_SESSION_TYPE");
  Session session;
  session.wayland = Set(environment, "WAYLAND_DISPLAY") || (type && std::string_view(type) == "wayland");
  session.x11 = Set(environment, "DISPLAY");
  return session;
}

std::string QtPlatformFor(const Environment& environment) {
  if (Set(environment, "QT_QPA_PLATFORM")) return {};
  const Session session = SessionFromEnvironment(environment);
  return session.wayland && session.x11 ? "xcb" : "";
}

}  // namespace huevox::platform
