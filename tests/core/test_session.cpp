#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/session.h"

using huevox::platform::QtPlatformFor;
using huevox::platform::SessionFromEnvironment;

TEST(Session, FromEnvironment) {
  const struct {
    std::map<std::string, std::string> environment;
    bool wayland, x11;
    std::string qtPlatform;
  } rows[] = {
      {{{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, false, true, ""},
      {{{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}}, true, true, "xcb"},
      // GNOME may set the type without the display name reaching the program.
      {{{"DISPLAY", ":1"}, {"XDG_SESSION_TYPE", "wayland"}}, true, true, "xcb"},
      {{{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_SESSION_TYPE", "wayland"}}, true, false, ""},
      // The user's own choice of Qt platform stands.
      {{{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"QT_QPA_PLATFORM", "wayland"}}, true, true, ""},
      // Set but empty counts as not set.
      {{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"XDG_SESSION_TYPE", "tty"}, {"QT_QPA_PLATFORM", ""}}, false, false, ""},
  };
  for (const auto& row : rows) {
    const auto environment = [&](const char* name) -> const char* {
      const auto found = row.environment.find(name);
      return found == row.environment.end() ? nullptr : found->second.c_str();
    };
    const auto session = SessionFromEnvironment(environment);
    const std::string where = ::testing::PrintToString(row.environment);
    EXPECT_EQ(session.wayland, row.wayland) << where;
    EXPECT_EQ(session.x11, row.x11) << where;
    EXPECT_EQ(QtPlatformFor(environment), row.qtPlatform) << where;
  }
}
