#pragma once
// A user's mouse and keyboard: real pointer moves, presses and keys through
// the X server's XTest extension (xdotool), on X11 and under Wine alike; the
// colour tools read the real pointer, which QTest's synthetic events do not
// move. shell.h is the platform's way to run xdotool.
#include <QPoint>
#include <QTest>

#include "shell.h"

namespace fakeinput {

inline bool Xdotool(const QString& arguments) { return Shell("xdotool " + arguments); }

// settleMs: a user's pace, leaving the program under test time to handle the step.
inline void Move(QPoint to, int settleMs = 0) {
  Xdotool(QString("mousemove %1 %2").arg(to.x()).arg(to.y()));
  QTest::qWait(settleMs);
}
// X button numbers: 1 left, 2 middle, 3 right.
inline void Button(int button, bool down, int settleMs = 0) {
  Xdotool((down ? "mousedown " : "mouseup ") + QString::number(button));
  QTest::qWait(settleMs);
}
// A click quicker than any timer of the program's.
inline void PressAndRelease(int button) { Xdotool("click " + QString::number(button)); }
// A key as the keyboard sends it ("Right", "shift+Left").
inline bool Key(const QString& keys) { return Xdotool("key " + keys); }

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
