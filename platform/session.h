#pragma once
// What kind of desktop session the program runs in. Start-up, the screen
// reading, the colour pick and the dialog automation all ask here; nothing
// else looks at the environment for it.
#include <functional>
#include <string>

namespace huevox::platform {

struct Session {
  bool wayland = false;  // the desktop is a Wayland compositor
  bool x11 = false;      // the program is, or can be, an X11 client (native X or XWayland)
};

// Looks up one environment variable; null when it is not set.
using Environment = std::function<const char*(const char* name)>;
const char* ProcessEnvironment(const char* name);

// The session as the environment describes it; needs no display connection.
Session SessionFromEnvironment(const Environment& environment = ProcessEnvironment);

// The Qt platform plugin to ask for before the application starts, or empty
// to leave Qt's own choice: X11 through XWayland in a Wayland session that
// offers X, since the messenger under Wine is an X11 client and the windows'
// fixed places and topmost state need X11. The user's own choice stands.
std::string QtPlatformFor(const Environment& environment = ProcessEnvironment);

// The session of the running application: the environment, Qt's platform and
// the display server's own word where it gives one (Xwayland names itself
// from version 23.1). Needs the application; one backend per platform.
Session CurrentSession();

}  // namespace huevox::platform
