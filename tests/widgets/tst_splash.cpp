// The splash's fades and dismissal, timed against the real clock, and the tune.
#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "styles/styleswindow.h"
#include "widgets/fakeinput.h"

using huevox::MainWindow;
using huevox::SplashWindow;

namespace {
int OpacityByte(const QWidget* w) { return qRound(w->windowOpacity() * 255); }

struct Scene {
  QTemporaryDir dir;
  MainWindow main{dir.path()};
  SplashWindow splash{&main, dir.filePath("none.wma")};
  bool fadedIn() { return QTest::qWaitFor([&] { return splash.fadeLevel() == 255; }, 4000); }
};
}  // namespace

class SplashTest : public QObject {
  Q_OBJECT
 private slots:
  void fadesInAfterASecondAndWaitsForever() {
    Scene s;
    // Sampled from a timer, which ticks inside the fade's own waits.
    QVector<int> seen;
    QElapsedTimer clock;
    qint64 appeared = -1;
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
    QVERIFY(std::is_sorted(seen.begin(), seen.end()) && seen.size() > 10);  // steps, not a jump
    QTest::qWait(1500);
    QVERIFY(s.splash.isVisible() && !s.main.isVisible());  // no time-out
  }

  // A second double-click after the fade-out, while the splash waits to be
  // hidden, fades it out again and restarts the four seconds.
  void doubleClicksLeadToTheTranslucentMainWindow() {
    Scene s;
    QVERIFY(s.fadedIn());
    QVERIFY(QTest::qWaitForWindowExposed(&s.splash));
    QElapsedTimer sinceSecond;
    int opacityBeforeSecond = -1;
    QTimer::singleShot(0, this, [&] {
      QTimer::singleShot(2600, this, [&] {
        opacityBeforeSecond = OpacityByte(&s.splash);
        sinceSecond.start();
        pointer::doubleClick(s.splash.mapToGlobal(s.splash.rect().center()));
      });
      pointer::doubleClick(s.splash.mapToGlobal(s.splash.rect().center()));
    });
    QTRY_VERIFY_WITH_TIMEOUT(sinceSecond.isValid() && s.main.isVisible(), 9000);
    QCOMPARE(opacityBeforeSecond, 1);
    QVERIFY2(sinceSecond.elapsed() >= 3400 && sinceSecond.elapsed() <= 4700,
             qPrintable(QString::number(sinceSecond.elapsed())));
    QVERIFY(!s.splash.isVisible());
    QCOMPARE(OpacityByte(&s.main), 200);
    QVERIFY(s.main.hasStylesWindow() && !s.main.stylesWindow()->isVisible());  // made hidden
    QCOMPARE(OpacityByte(s.main.stylesWindow()), 200);
  }

  void doubleClickDuringTheFadeInFadesOutFromThere() {
    Scene s;
    int levelAtClick = -1, highest = 0;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
      if (levelAtClick >= 0) highest = std::max(highest, s.splash.fadeLevel());
      else if (s.splash.fadeLevel() >= 60) {
        levelAtClick = s.splash.fadeLevel();
        s.splash.dismiss();  // runs inside the fade-in, as a real double-click would
      }
    });
    watch.start(1);
    QTRY_VERIFY_WITH_TIMEOUT(s.main.isVisible(), 8000);
    QVERIFY2(highest <= levelAtClick + 2, qPrintable(QString("%1 > %2").arg(highest).arg(levelAtClick)));
    QTest::qWait(1500);  // the fade-in does not come back
    QVERIFY(!s.splash.isVisible());
    QCOMPARE(s.splash.fadeLevel(), 1);
  }

  void tunePlaysOnceOrIsSkipped_data() {
    QTest::addColumn<QByteArray>("bytes");  // empty: the real tune
    QTest::newRow("intro tune") << QByteArray();
    QTest::newRow("not a tune") << QByteArray(4096, 'x');
  }
  void tunePlaysOnceOrIsSkipped() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QFile tune(dir.filePath("intro.wma"));
    QVERIFY(bytes.isEmpty() ? QFile::copy(HUEVOX_SOURCE_DIR "/resources/sound/intro.wma", tune.fileName())
                            : tune.open(QIODevice::WriteOnly) && tune.write(bytes) && tune.flush());
    MainWindow main(dir.path());
    SplashWindow splash(&main, tune.fileName());
    QVERIFY(splash.mediaPlayer());
    QMediaPlayer* player = splash.mediaPlayer();
    if (bytes.isEmpty()) QTRY_COMPARE_WITH_TIMEOUT(player->mediaStatus(), QMediaPlayer::EndOfMedia, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(player->error() != QMediaPlayer::NoError, !bytes.isEmpty(), 5000);
    QVERIFY(QTest::qWaitFor([&] { return splash.fadeLevel() == 255; }, 4000));  // the splash goes on
  }
};

QTEST_MAIN(SplashTest)
#include "tst_splash.moc"
