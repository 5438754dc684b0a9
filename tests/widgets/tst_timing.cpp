// The waits against the real clock, and keeping a window on top, on the X server.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "app/timing.h"
#include "app/wholeseconds.h"
#include "app/windowutil.h"

using namespace huevox;

class TimingTest : public QObject {
  Q_OBJECT
 private slots:
  void pauseHandlesEventsPromptlyUntilItsEnd() {
    bool ran = false;
    QTimer::singleShot(0, this, [&] { ran = true; });
    Pause(0);
    Pause(-1);
    QVERIFY(!ran);  // no wait, no events
    // A 10 ms timer must keep ticking on time throughout the wait.
    QElapsedTimer clock;
    qint64 last = 0, worstGap = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    connect(&tick, &QTimer::timeout, this, [&] {
      worstGap = std::max(worstGap, clock.elapsed() - last);
      last = clock.elapsed();
    });
    clock.start();
    tick.start(10);
    Pause(0.2);
    QVERIFY2(clock.elapsed() >= 200 && clock.elapsed() < 260, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(ran && last > 180);
    QVERIFY2(worstGap < 25, qPrintable(QString::number(worstGap)));
  }

  void pauseWholeSecondsEndsAtTheRoundedSecond() {
    for (int round = 0; round < 2; ++round) {
      const double expected = WholeSecondsRemaining(SecondsSinceMidnight(), 1);
      QElapsedTimer clock;
      clock.start();
      PauseWholeSeconds(1);
      const double took = clock.nsecsElapsed() / 1e9;
      QVERIFY2(std::abs(took - expected) < 0.05, qPrintable(QString("%1 vs %2").arg(took).arg(expected)));
      Pause(0.3);  // a second start at another fraction of the second
    }
  }

  void stayOnTopKeepsTheWindowAsItIs() {
    for (bool shown : {false, true}) {
      QWidget w;
      w.setGeometry(60, 70, 150, 90);
      w.setVisible(shown);
      QVERIFY(!shown || QTest::qWaitForWindowExposed(&w));
      const QRect before = w.geometry();
      StayOnTop(&w);
      QCoreApplication::processEvents();
      QCOMPARE(w.isVisible(), shown);
      QCOMPARE(w.geometry(), before);
      QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
      if (shown) QVERIFY(w.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    }
  }
};

QTEST_MAIN(TimingTest)
#include "tst_timing.moc"
