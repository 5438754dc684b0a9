#pragma once
// Making Tahoma, the font every window's text is laid out in, available where
// the system has none of its own. One backend per platform, picked at build
// time.

namespace huevox::platform {

// Once, after the application object is made and before the first window.
void LoadWindowFont();

}  // namespace huevox::platform
