// The splash's fades and dismissal, timed against the real clock, and the tune.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "platform/tuneplayer.h"
#include "pointer.h"
#include "styles/styleswindow.h"

using huevox::MainWindow;
using huevox::SplashWindow;
namespace platform = huevox::platform;

namespace {

int OpacityByte(const QWidget* w) { return qRound(w->windowOpacity() * 255); }

struct Scene {
  QTemporaryDir dir;
  MainWindow main{dir.path()};
  SplashWindow splash{&main, dir.filePath("none.wma")};

  // Waits for the fade-in the timer starts one second after loading.
  bool fadedIn() { return QTest::qWaitFor([&] { return splash.fadeLevel() == 255; }, 4000); }
  QPoint centre() const { return splash.mapToGlobal(splash.rect().center()); }
};

}  // namespace

class SplashTest : public QObject {
  Q_OBJECT
 private slots:
  void fadesInAfterASecondAndWaitsForever() {
    Scene s;
    // Sampled from a timer, which ticks inside the fade's own waits.
    QVector<int> seen;
    qint64 appeared = -1;
    QElapsedTimer clock;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
      if (!s.splash.isVisible()) return;
      if (appeared < 0) appeared = clock.elapsed();
      seen << OpacityByte(&s.splash);
    });
    sampler.start(20);
    clock.start();
    QVERIFY(s.fadedIn());
    QVERIFY2(appeared >= 950 && appeared < 1400, qPrintable(QString::number(appeared)));
    const qint64 fade = clock.elapsed() - appeared;
    QVERIFY2(fade > 700 && fade < 2000, qPrintable(QString::number(fade)));  // about a second
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));
    QVERIFY(seen.size() > 10);  // many steps, not one jump
    QCOMPARE(OpacityByte(&s.splash), 255);
    QTest::qWait(1500);
    QVERIFY(s.splash.isVisible());  // no time-out
    QVERIFY(!s.main.isVisible());
  }

  void doubleClickLeadsToTheTranslucentMainWindow() {
    Scene s;
    QVERIFY(s.fadedIn());
    QVERIFY(QTest::qWaitForWindowExposed(&s.splash));
    QElapsedTimer clock;
    QTimer::singleShot(0, this, [&] {
      clock.start();
      pointer::doubleClick(s.centre());
    });
    QTRY_VERIFY_WITH_TIMEOUT(s.main.isVisible(), 7000);
    const qint64 took = clock.elapsed();
    QVERIFY2(took >= 3400 && took <= 4700, qPrintable(QString::number(took)));
    QVERIFY(!s.splash.isVisible());
    QCOMPARE(s.splash.fadeLevel(), 1);
    QVERIFY(!s.splash.fadeInTimer()->isActive());
    QCOMPARE(OpacityByte(&s.main), 200);
    QVERIFY(s.main.hasStylesWindow());  // made, hidden, for its opacity
    QVERIFY(!s.main.stylesWindow()->isVisible());
    QCOMPARE(OpacityByte(s.main.stylesWindow()), 200);
  }

  void doubleClickDuringTheFadeInFadesOutFromThere() {
    Scene s;
    int levelAtClick = -1;
    bool clicked = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
      if (!clicked && s.splash.fadeLevel() >= 60) {
        clicked = true;
        levelAtClick = s.splash.fadeLevel();
        s.splash.dismiss();  // runs inside the fade-in, as a real double-click would
      }
    });
    watch.start(1);
    int highest = 0;
    QTimer peak;
    connect(&peak, &QTimer::timeout, this, [&] {
      if (clicked) highest = std::max(highest, s.splash.fadeLevel());
    });
    peak.start(5);
    QTRY_VERIFY_WITH_TIMEOUT(s.main.isVisible(), 8000);
    QVERIFY(levelAtClick > 0 && levelAtClick < 255);
    QVERIFY2(highest <= levelAtClick + 2, qPrintable(QString("%1 > %2").arg(highest).arg(levelAtClick)));
    QVERIFY(!s.splash.isVisible());
    QTest::qWait(1500);  // the fade-in does not come back
    QVERIFY(!s.splash.isVisible());
    QCOMPARE(s.splash.fadeLevel(), 1);
  }

  void secondDoubleClickAfterTheFadeOutStartsAgain() {
    Scene s;
    QVERIFY(s.fadedIn());
    QElapsedTimer sinceSecond;
    bool second = false;
    int opacityBeforeSecond = -1;
    QTimer::singleShot(0, this, [&] {
      QTimer::singleShot(2600, this, [&] {  // the fade-out is over, the splash still waits
        opacityBeforeSecond = OpacityByte(&s.splash);
        second = true;
        sinceSecond.start();
        s.splash.dismiss();
      });
      s.splash.dismiss();
    });
    QTRY_VERIFY_WITH_TIMEOUT(second && s.main.isVisible(), 9000);
    QCOMPARE(opacityBeforeSecond, 1);
    const qint64 took = sinceSecond.elapsed();
    QVERIFY2(took >= 3400 && took <= 4700, qPrintable(QString::number(took)));
    QVERIFY(!s.splash.isVisible());
  }

  void tunePlaysToItsEnd() {
    QTemporaryDir dir;
    MainWindow main(dir.path());
    SplashWindow splash(&main, HUEVOX_SOURCE_DIR "/resources/sound/intro.wma");
    platform::TunePlayer* tune = splash.tunePlayer();
    QVERIFY(tune);
    QTRY_VERIFY_WITH_TIMEOUT(tune->Finished(), 10000);
    QCOMPARE(tune->Error(), QString());
  }

  void badTuneIsReportedAndIgnored() {
    QTemporaryDir dir;
    QFile bad(dir.filePath("intro.wma"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(4096, 'x'));
    bad.close();
    MainWindow main(dir.path());
    SplashWindow splash(&main, bad.fileName());
    QVERIFY(splash.tunePlayer());
    QTRY_VERIFY_WITH_TIMEOUT(!splash.tunePlayer()->Error().isEmpty(), 5000);
    QVERIFY(QTest::qWaitFor([&] { return splash.fadeLevel() == 255; }, 4000));  // the splash goes on
  }
};

QTEST_MAIN(SplashTest)
#include "tst_splash.moc"
