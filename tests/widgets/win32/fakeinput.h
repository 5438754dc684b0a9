#pragma once
// Real pointer moves and button presses through SendInput, as a user's mouse
// makes them: the same calls as the X11 helper's, for the Windows build.
#include <windows.h>

#include <QPoint>
#include <QTest>

namespace fakeinput {

inline void Sync() { QTest::qWait(0); }

// Button numbers as on X11: 1 left, 2 middle, 3 right.
inline void SendButton(int button, bool down) {
  static constexpr DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_RIGHTDOWN};
  static constexpr DWORD kUp[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_RIGHTUP};
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? kDown[button - 1] : kUp[button - 1];
  SendInput(1, &input, sizeof input);
}
inline void Move(QPoint to, int settleMs = 0) {
  // Absolute positions are in 1/65535 of the virtual desktop.
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(to.x() - left, 65535, width - 1);
  input.mi.dy = MulDiv(to.y() - top, 65535, height - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
  SendInput(1, &input, sizeof input);
  Sync();
  if (settleMs) QTest::qWait(settleMs);
}
inline void Button(int button, bool down, int settleMs = 0) {
  SendButton(button, down);
  Sync();
  if (settleMs) QTest::qWait(settleMs);
}
inline void Click(QPoint at, int times = 1) {
  Move(at, 30);
  for (int i = 0; i < times; ++i) {
    Button(1, true);
    Button(1, false);
  }
  QTest::qWait(60);
}

}  // namespace fakeinput
