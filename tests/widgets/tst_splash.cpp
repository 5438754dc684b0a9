// The splash's fades and dismissal and the waits under them, timed against
// the real clock, and the tune.
#include <QtTest>
#include <QtWidgets>
#include <fcntl.h>
#include <unistd.h>

#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "platform/tuneplayer.h"

using huevox::MainWindow;
using huevox::SplashWindow;

namespace {
int OpacityByte(const QWidget* w) { return qRound(w->windowOpacity() * 255); }

// The loudest sample the test's sound sink has heard (with-sound-sink.sh); -1
// without one, as under Wine, where only the player's own word is had.
int Loudest() {
  QFile file(qEnvironmentVariable("HUEVOX_TEST_RECORDING"));
  if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly)) return -1;
  int loudest = 0;
  // Samples as recorded: 16-bit little-endian.
  for (qint16 sample; file.read(reinterpret_cast<char*>(&sample), 2) == 2;) loudest = std::max(loudest, std::abs(+sample));
  return loudest;
}
}  // namespace

class SplashTest : public QObject {
  Q_OBJECT
 private slots:
  // Fades in a second after loading, in many steps, then waits for a
  // double-click without a time-out. A second double-click after the
  // fade-out, while the splash still waits to be hidden, fades it out again
  // and restarts the four seconds. A tune that cannot play changes none of
  // that and costs one line on stderr.
  void fadesInWaitsAndRestartsOnASecondDoubleClick_data() {
    QTest::addColumn<QByteArray>("tune");  // the file's bytes; null: no file
    QTest::addColumn<bool>("soundServer");
    QTest::newRow("missing tune") << QByteArray() << true;
    QTest::newRow("corrupt tune") << QByteArray(4096, 'Z') << true;
    QFile real(HUEVOX_SOURCE_DIR "/resources/sound/intro.wma");
    if (Loudest() >= 0 && real.open(QIODevice::ReadOnly)) QTest::newRow("no sound server") << real.readAll() << false;
  }
  void fadesInWaitsAndRestartsOnASecondDoubleClick() {
    QFETCH(QByteArray, tune);
    QFETCH(bool, soundServer);
    QTemporaryDir dir;
    QFile file(dir.filePath("intro.wma"));
    QVERIFY(tune.isNull() || (file.open(QIODevice::WriteOnly) && file.write(tune) == tune.size() && file.flush()));
    const QByteArray server = qgetenv("PULSE_SERVER");
    if (!soundServer) qputenv("PULSE_SERVER", "unix:" + dir.filePath("none").toUtf8());
    // Only where a sound sink listens: under Wine the first show came late with stderr redirected.
    const bool capture = Loudest() >= 0;
    QFile errors(dir.filePath("stderr"));
    const int savedStderr = capture ? dup(2) : -1, errorsFd = capture ? open(qPrintable(errors.fileName()), O_WRONLY | O_CREAT, 0600) : -1;
    std::shared_ptr<void> restore(nullptr, [&](void*) {  // no harm where nothing was captured
      std::fflush(stderr);
      dup2(savedStderr, 2);
      close(savedStderr);
      close(errorsFd);
    });
    QVERIFY(!capture || (errorsFd >= 0 && std::fflush(stderr) == 0 && dup2(errorsFd, 2) != -1));
    MainWindow main(dir.path());
    SplashWindow splash(&main, file.fileName());
    qputenv("PULSE_SERVER", server);
    QElapsedTimer clock;
    QVector<int> seen;  // sampled from a timer, which ticks inside the fade's own waits
    qint64 appeared = -1;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
      if (!splash.isVisible() || splash.fadeLevel() == 255) return;
      if (appeared < 0) appeared = clock.elapsed();
      seen << OpacityByte(&splash);
    });
    sampler.start(20);
    clock.start();
    QTest::qWait(3500);
    QVERIFY(!splash.tunePlayer() || !splash.tunePlayer()->Error().isEmpty());
    restore.reset();
    errors.open(QIODevice::ReadOnly);
    const QByteArray said = errors.readAll().trimmed();
    QVERIFY2(!capture || (!said.contains('\n') && said.contains("intro tune")), said.constData());
    // A second, not at once and not a tick later; under Wine the first show
    // of the layered window takes about half a second more.
    QVERIFY2(appeared >= 950 && appeared < 1800, qPrintable(QString::number(appeared)));
    QVERIFY(std::is_sorted(seen.begin(), seen.end()) && seen.size() > 10);
    QVERIFY(!splash.windowHandle()->close());  // as Alt+F4 asks it
    QVERIFY(splash.isVisible() && OpacityByte(&splash) == 255 && !main.isVisible());
    if (!tune.isNull()) return;  // the rest has nothing to do with the tune

    int opacityBeforeSecond = -1;
    QTimer::singleShot(0, this, [&] {
      QTimer::singleShot(2600, this, [&] {
        opacityBeforeSecond = OpacityByte(&splash);
        clock.start();
        splash.dismiss();
      });
      splash.dismiss();
    });
    QTRY_VERIFY_WITH_TIMEOUT(opacityBeforeSecond >= 0 && main.isVisible(), 9000);
    QCOMPARE(opacityBeforeSecond, 1);
    QVERIFY2(clock.elapsed() >= 3400 && clock.elapsed() <= 4700, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!splash.isVisible());
  }

  // The dismissal runs inside the fade-in; the fade-out starts where that
  // stopped, and the fade-in never shows the splash again over the program.
  // The tune plays on to its end, to the sound output.
  void doubleClickDuringTheFadeIn() {
    QTemporaryDir dir;
    MainWindow main(dir.path());
    SplashWindow splash(&main, HUEVOX_SOURCE_DIR "/resources/sound/intro.wma");
    int levelAtClick = -1;
    QTimer clicker;  // ticks inside the fade-in's own waits
    connect(&clicker, &QTimer::timeout, this, [&] {
      if (!splash.isVisible() || splash.fadeLevel() < 50) return;
      clicker.stop();
      levelAtClick = splash.fadeLevel();
      QTest::mouseDClick(&splash, Qt::LeftButton);
    });
    clicker.start(5);
    QTRY_VERIFY_WITH_TIMEOUT(main.isVisible(), 9000);
    QVERIFY2(levelAtClick < 255, qPrintable(QString::number(levelAtClick)));
    QTest::qWait(1500);  // long enough for a resumed fade-in to finish
    QVERIFY(!splash.isVisible() && main.isVisible());
    QCOMPARE(splash.fadeLevel(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(splash.tunePlayer() && splash.tunePlayer()->Finished(), 10000);
    if (Loudest() >= 0) QTRY_VERIFY_WITH_TIMEOUT(Loudest() > 3000, 5000);
  }
};

QTEST_MAIN(SplashTest)
#include "tst_splash.moc"
