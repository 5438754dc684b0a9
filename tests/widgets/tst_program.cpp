// The real program as a newcomer starts it: splash, double-click, the main
// window with the sample presets, the Styles window, and exit, driven from
// outside through the X server.
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include "pointer.h"

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
                         "^" + name + "$"})
      .section('\n', 0, 0);
}

QRect Geometry(const QString& window) {
  const QString out = Run("xdotool", {"getwindowgeometry", "--shell", window});
  QMap<QString, int> v;
  for (const QString& line : out.split('\n')) v[line.section('=', 0, 0)] = line.section('=', 1).toInt();
  return {v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]};
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT
 private slots:
  void withoutADisplayItSaysSoAndStops() {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    p.setProcessEnvironment(env);
    p.start(kProgram);
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    QCOMPARE(err.count('\n'), 1);
    QVERIFY(err.contains("display"));
  }

  void startsThroughTheSplashAndExitsFromTheTitleStrip() {
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(kProgram);
    QVERIFY(program.waitForStarted());
    const qint64 pid = program.processId();

    QString splash;
    QVERIFY(QTest::qWaitFor([&] { return !(splash = FindWindow(pid, "Form3")).isEmpty(); }, 5000));
    QVERIFY(FindWindow(pid, "Huevox").isEmpty());  // hidden until the splash is dismissed
    QTest::qWait(1500);                               // let the fade-in finish
    pointer::doubleClick(Geometry(splash).center());

    QString main;
    QVERIFY(QTest::qWaitFor([&] { return !(main = FindWindow(pid, "Huevox")).isEmpty(); }, 8000));
    QVERIFY(FindWindow(pid, "Form3").isEmpty());
    const QString opacity = Run("xprop", {"-id", main, "_NET_WM_WINDOW_OPACITY"});
    QVERIFY2(std::abs(opacity.section('=', 1).trimmed().toLongLong() - 0xFFFFFFFFll * 200 / 255) < 1000,
             qPrintable(opacity));

    // Open the Styles window, then end everything with the exit mark.
    const QPoint client = Geometry(main).topLeft() + QPoint(3, 3);
    pointer::click(client + QPoint(144 + 16, 128 + 16));
    QVERIFY(QTest::qWaitFor([&] { return !FindWindow(pid, "Styles").isEmpty(); }, 3000));
    pointer::click(client + QPoint(205, 8));
    // The exit may already have been noticed while the click was handled.
    QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 5000);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
  }
};

QTEST_MAIN(ProgramTest)
#include "tst_program.moc"
