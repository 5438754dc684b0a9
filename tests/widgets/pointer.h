#pragma once
// A user's mouse: real pointer moves and button presses through XTest, each
// followed by a short pause so the program under test can handle it.
#include <QTest>

#include "widgets/fakeinput.h"

namespace pointer {

inline void settle() { QTest::qWait(30); }

inline void moveTo(QPoint global) {
  fakeinput::Move(global);
  settle();
}
inline void press(int button) {
  fakeinput::Button(button, true);
  settle();
}
inline void release(int button) {
  fakeinput::Button(button, false);
  settle();
}
inline void click(QPoint global, int button = 1) {
  moveTo(global);
  press(button);
  release(button);
}
inline void doubleClick(QPoint global) {
  moveTo(global);
  for (int i = 0; i < 2; ++i) {
    fakeinput::Button(1, true);
    fakeinput::Button(1, false);
    QTest::qWait(60);
  }
}

}  // namespace pointer
