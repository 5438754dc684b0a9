#pragma once
// Real pointer and button events through the X server's XTest extension
// (xdotool), so windows see exactly what a user's mouse would give them.
#include <QCoreApplication>
#include <QPoint>
#include <QProcess>
#include <QTest>

namespace pointer {

inline bool xdotool(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral("xdotool"), args);
  const bool ok = p.waitForFinished(5000) && p.exitCode() == 0;
  QTest::qWait(30);  // let the events reach the program and be handled
  return ok;
}

inline bool moveTo(QPoint global) {
  return xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())});
}
inline bool press(int button) { return xdotool({"mousedown", QString::number(button)}); }
inline bool release(int button) { return xdotool({"mouseup", QString::number(button)}); }
inline bool click(QPoint global, int button = 1) {
  return moveTo(global) && press(button) && release(button);
}
inline bool doubleClick(QPoint global) {
  return moveTo(global) && xdotool({"click", "--repeat", "2", "--delay", "60", "1"});
}

}  // namespace pointer
