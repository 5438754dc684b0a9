#pragma once
#include <QPoint>
#include <QRect>
#include <cstdint>

class QWidget;

namespace huevox {

// Makes the whole window translucent: 0 transparent, 255 opaque.
void SetTranslucency(QWidget* window, std::uint8_t alpha);

// Shows a window opened from `anchor`, which stays on top, where neither the
// anchor nor the program's other shown windows hide it: where it was when that
// is clear of them, otherwise beside one of them, the anchor first, where the
// screen has room. Raised and activated, so a shown window covered by other
// programs' windows comes forward too.
void ShowClearOf(QWidget* window, const QWidget* anchor);

// Where a window at `place` goes to lie on `area` (a screen): where it is when
// it fits, otherwise moved just far enough; its top or left edge wins where it
// is larger than the area.
QPoint KeptOnScreen(const QRect& place, const QRect& area);

// Puts the window in the topmost band without showing, hiding, moving,
// resizing or re-creating it.
void StayOnTop(QWidget* window);

}  // namespace huevox
