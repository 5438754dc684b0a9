// The waits against the real clock, with real timers and windows on the X server.
#include <QElapsedTimer>
#include <QProcess>
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
  void zeroPauseReturnsWithoutHandlingEvents() {
    bool ran = false;
    QTimer::singleShot(0, this, [&] { ran = true; });
    QElapsedTimer clock;
    clock.start();
    Pause(0);
    Pause(-1);
    QVERIFY(clock.elapsed() < 5);
    QVERIFY(!ran);
    QCoreApplication::processEvents();
    QVERIFY(ran);
  }

  void pauseHandlesEventsPromptly() {
    // A 10 ms timer must keep ticking on time throughout the wait.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worstGap = 0;
    int ticks = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    connect(&tick, &QTimer::timeout, this, [&] {
      worstGap = std::max(worstGap, clock.elapsed() - last);
      last = clock.elapsed();
      ++ticks;
    });
    clock.start();
    tick.start(10);
    Pause(0.2);
    const qint64 took = clock.elapsed();
    QVERIFY2(took >= 200 && took < 260, qPrintable(QString::number(took)));
    QVERIFY(ticks >= 15);
    QVERIFY2(worstGap < 25, qPrintable(QString::number(worstGap)));
  }

  void pauseWholeSecondsEndsAtTheRoundedSecond() {
    for (int round = 0; round < 2; ++round) {
      const double expected = WholeSecondsRemaining(SecondsSinceMidnight(), 1);
      QElapsedTimer clock;
      clock.start();
      PauseWholeSeconds(1);
      const double took = clock.nsecsElapsed() / 1e9;
      QVERIFY2(took >= 0.5 - 0.01 && took <= 1.5 + 0.05, qPrintable(QString::number(took)));
      QVERIFY2(std::abs(took - expected) < 0.05,
               qPrintable(QString("%1 vs %2").arg(took).arg(expected)));
      Pause(0.3);  // a second start at another fraction of the second
    }
  }

  void nestedWaitsBothRunToTheEnd() {
    QElapsedTimer clock;
    clock.start();
    qint64 innerEnded = -1;
    QTimer::singleShot(50, this, [&] {
      Pause(0.3);  // outlives the outer wait
      innerEnded = clock.elapsed();
    });
    Pause(0.1);
    const qint64 outerEnded = clock.elapsed();
    QVERIFY(innerEnded >= 350);
    QVERIFY(outerEnded >= innerEnded);  // the outer caller resumes only after the inner wait
    QVERIFY(outerEnded < 450);
  }

  void stayOnTopLeavesAHiddenWindowHidden() {
    QWidget w;
    w.setGeometry(40, 50, 120, 80);
    StayOnTop(&w);
    QVERIFY(!w.isVisible());
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
  }

  void stayOnTopKeepsAVisibleWindowAsItIs() {
    QWidget w;
    w.setGeometry(60, 70, 150, 90);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const WId id = w.winId();
    const QRect before = w.geometry();
    StayOnTop(&w);
    QCoreApplication::processEvents();
    QVERIFY(w.isVisible());
    QCOMPARE(w.winId(), id);
    QCOMPARE(w.geometry(), before);
    QVERIFY(w.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
  }

  void translucencyReachesTheXServer() {
    QWidget w;
    w.resize(100, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    SetTranslucency(&w, 200);
    QCOMPARE(qRound(w.windowOpacity() * 255), 200);
    QTest::qWait(20);  // let the request reach the server
    const qint64 seen = opacityProperty(w.winId());
    QVERIFY2(std::abs(seen - qint64(0xFFFFFFFFll * 200 / 255)) < 1000, qPrintable(QString::number(seen)));
    SetTranslucency(&w, 255);
    QCOMPARE(w.windowOpacity(), 1.0);
  }

 private:
  // What another program sees: the window's opacity property, read by xprop.
  static qint64 opacityProperty(WId id) {
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(id), "_NET_WM_WINDOW_OPACITY"});
    if (!xprop.waitForFinished(5000)) return 0;
    const QString out = QString::fromLocal8Bit(xprop.readAllStandardOutput());
    return out.section(QLatin1Char(0x3d), 1).trimmed().toLongLong();
  }
};

QTEST_MAIN(TimingTest)
#include "tst_timing.moc"
