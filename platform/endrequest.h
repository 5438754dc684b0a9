#pragma once
// The system asking the program to end: on Linux SIGTERM (a logout, a kill),
// SIGINT (Ctrl+C in its terminal) and SIGHUP (its terminal closed); on Windows
// the end of the session. One backend per platform, picked at build time.
#include <functional>

namespace huevox::platform {

// From now on such a request runs `end` on the user-interface thread, also
// inside the program's waits, instead of killing the program where it stands.
// Needs the application object.
void OnEndRequested(std::function<void()> end);

}  // namespace huevox::platform
