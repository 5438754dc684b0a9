// The real program as a newcomer starts it: splash, double-click, the main
// window, the Styles window, and exit, driven from outside through the X server.
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include "fakeinput.h"

namespace {

const QString kProgram = QStringLiteral(HUEVOX_RUNTIME_DIR "/huevox");

QString Run(const QString& tool, const QStringList& args) {
  QProcess p;
  p.start(tool, args);
  p.waitForFinished(5000);
  return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// The visible window of the child whose title is exactly name, or empty.
QString FindWindow(qint64 pid, const QString& name) {
  return Run("xdotool", {"search", "--all", "--onlyvisible", "--pid", QString::number(pid), "--name",
                         "^" + name + "$"}).section('\n', 0, 0);
}

// What other programs see: opacity 200 of 255 in the window's property.
bool Translucent(const QString& window) {
  const QString out = Run("xprop", {"-id", window, "_NET_WM_WINDOW_OPACITY"});
  return std::abs(out.section('=', 1).trimmed().toLongLong() - 0xFFFFFFFFll * 200 / 255) < 1000;
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT
 private slots:
  void startsThroughTheSplashAndExitsFromTheTitleStrip() {
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(kProgram);
    QVERIFY(program.waitForStarted());
    const qint64 pid = program.processId();
    QString main;
    QVERIFY(QTest::qWaitFor([&] { return !FindWindow(pid, "Form3").isEmpty(); }, 5000));
    QVERIFY(FindWindow(pid, "Huevox").isEmpty());  // hidden until the splash is dismissed
    QTest::qWait(1500);                               // let the fade-in finish
    fakeinput::Click(QPoint(268 + 250, 244 + 100), 2);  // the splash's fixed place
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QTest::qWaitFor([&] { return !(main = FindWindow(pid, "Huevox")).isEmpty(); }, 8000));
    // About four seconds: measured from the whole second nearest to the click.
    QVERIFY2(clock.elapsed() >= 3300 && clock.elapsed() <= 4800, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(Translucent(main));

    // Open the Styles window, then end everything with the exit mark.
    const QPoint client(369, 271);  // the main window's fixed place
    fakeinput::Click(client + QPoint(144 + 16, 128 + 16));
    QString styles;
    QVERIFY(QTest::qWaitFor([&] { return !(styles = FindWindow(pid, "Styles")).isEmpty(); }, 3000));
    QVERIFY(Translucent(styles));
    fakeinput::Click(client + QPoint(205, 8));
    QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 5000);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
  }
};

QTEST_MAIN(ProgramTest)
#include "tst_program.moc"
