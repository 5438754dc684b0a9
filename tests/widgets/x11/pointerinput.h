#pragma once
// Real pointer moves and button presses through the X server's XTest
// extension, on Qt's own connection: the colour tools read the real pointer,
// which QTest's synthetic events do not move.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QGuiApplication>
#include <QPoint>
#include <QProcess>
#include <QTest>
#include <cstdlib>

namespace fakeinput {

inline xcb_connection_t* Connection() {
  return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}
inline xcb_window_t Root() { return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root; }

// Returns once the server has handled everything sent before.
inline void Sync() {
  std::free(xcb_get_input_focus_reply(Connection(), xcb_get_input_focus(Connection()), nullptr));
}
// X button numbers: 1 left, 2 middle, 3 right.
inline void SendButton(int button, bool down) {
  xcb_test_fake_input(Connection(), down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, std::uint8_t(button),
                      XCB_CURRENT_TIME, Root(), 0, 0, 0);
}
// settleMs: a user's pace, leaving the program under test time to handle the step.
inline void Move(QPoint to, int settleMs = 0) {
  xcb_test_fake_input(Connection(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, Root(), std::int16_t(to.x()),
                      std::int16_t(to.y()), 0);
  Sync();
  if (settleMs) QTest::qWait(settleMs);
}
inline void Button(int button, bool down, int settleMs = 0) {
  SendButton(button, down);
  Sync();
  if (settleMs) QTest::qWait(settleMs);
}
// A click quicker than any timer of the program's.
inline void PressAndRelease(int button) {
  SendButton(button, true);
  Button(button, false);
}

// A shell command beside the X server, waited for.
inline bool Shell(const QString& command) { return QProcess::execute("sh", {"-c", command}) == 0; }

// A key as the keyboard sends it ("Right", "shift+Left").
inline bool Key(const QString& keys) { return QProcess::execute("xdotool", {"key", keys}) == 0; }

}  // namespace fakeinput
