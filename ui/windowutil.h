#pragma once
#include <cstdint>

class QWidget;

namespace huevox {

// Makes the whole window translucent: 0 transparent, 255 opaque.
void SetTranslucency(QWidget* window, std::uint8_t alpha);

// Puts the window in the topmost band without showing, hiding, moving,
// resizing or re-creating it.
void StayOnTop(QWidget* window);

}  // namespace huevox
