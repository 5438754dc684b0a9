#pragma once
// Real pointer moves, button presses and keys through the X server's XTest
// extension (xdotool), as under Wine (win32/pointerinput.h): the colour tools
// read the real pointer, which QTest's synthetic events do not move.
#include <QPoint>
#include <QProcess>
#include <QTest>

namespace fakeinput {

// A shell command beside the X server, waited for.
inline bool Shell(const QString& command) { return QProcess::execute("sh", {"-c", command}) == 0; }
inline bool Xdotool(const QString& arguments) { return Shell("xdotool " + arguments); }

// settleMs: a user's pace, leaving the program under test time to handle the step.
inline void Move(QPoint to, int settleMs = 0) {
  Xdotool(QString("mousemove %1 %2").arg(to.x()).arg(to.y()));
  QTest::qWait(settleMs);
}
// X button numbers: 1 left, 2 middle, 3 right.
inline void SendButton(int button, bool down) { Xdotool((down ? "mousedown " : "mouseup ") + QString::number(button)); }
inline void Button(int button, bool down, int settleMs = 0) {
  SendButton(button, down);
  QTest::qWait(settleMs);
}
// A click quicker than any timer of the program's.
inline void PressAndRelease(int button) { Xdotool("click " + QString::number(button)); }
// A key as the keyboard sends it ("Right", "shift+Left").
inline bool Key(const QString& keys) { return Xdotool("key " + keys); }

}  // namespace fakeinput
