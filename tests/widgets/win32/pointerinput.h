#pragma once
// Real pointer moves and button presses through SendInput, as a user's mouse
// makes them: the same calls as the X11 helper's, for the Windows build.
#include <windows.h>

#include <QPoint>
#include <QTest>

namespace fakeinput {

inline void Send(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi = {dx, dy, 0, flags, 0, 0};
  SendInput(1, &input, sizeof input);
}
// settleMs: a user's pace, leaving the program under test time to handle the step.
inline void Move(QPoint to, int settleMs = 0) {
  // Absolute positions are in 1/65535 of the virtual desktop.
  Send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
       MulDiv(to.x() - GetSystemMetrics(SM_XVIRTUALSCREEN), 65535, GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1),
       MulDiv(to.y() - GetSystemMetrics(SM_YVIRTUALSCREEN), 65535, GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1));
  QTest::qWait(settleMs);
}
// Button numbers as on X11: 1 left, 2 middle, 3 right.
inline void Button(int button, bool down, int settleMs = 0) {
  static constexpr DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_RIGHTDOWN};
  Send(down ? kDown[button - 1] : kDown[button - 1] << 1);  // each UP flag is its DOWN flag doubled
  QTest::qWait(settleMs);
}

}  // namespace fakeinput
