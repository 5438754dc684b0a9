#pragma once
// A user's mouse: real pointer moves and button presses through the platform's
// own input (pointerinput.h: xdotool on X11 and under Wine, SendInput on Windows).
#include <QTest>

#include "pointerinput.h"

namespace fakeinput {

inline void Click(QPoint at, int times = 1) {
  Move(at, 30);
  for (int i = 0; i < times; ++i) {
    Button(1, true);
    Button(1, false);
  }
  QTest::qWait(60);
}

// The real program's splash, once faded in, double-clicked at its fixed place.
inline void DismissSplash() {
  QTest::qWait(1500);
  Click(QPoint(268 + 250, 244 + 100), 2);
}

}  // namespace fakeinput
