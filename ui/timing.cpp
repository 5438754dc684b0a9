#include "ui/timing.h"

#include <chrono>
#include <cmath>

#include <QTime>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include "core/wholeseconds.h"

namespace huevox {
namespace {

void WaitFor(double seconds) {
  if (!(seconds > 0)) return;
  const QDeadlineTimer deadline(std::chrono::nanoseconds(std::llround(seconds * 1e9)),
                                Qt::PreciseTimer);
  // A fresh loop per wait: a handler run inside it may start a wait of its own.
  QEventLoop loop;
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
  while (!deadline.hasExpired()) {
    wake.start(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
    loop.exec();
  }
}

}  // namespace

double SecondsSinceMidnight() {
  const QTime now = QTime::currentTime();
  return now.msecsSinceStartOfDay() / 1000.0;
}

void Pause(double seconds) { WaitFor(seconds); }

void PauseWholeSeconds(int seconds) {
  WaitFor(WholeSecondsRemaining(SecondsSinceMidnight(), seconds));
}

}  // namespace huevox
