// Finding and pressing another program's dialogs on the real X server, with the
// stand-in messenger as that program, with and without a window manager.
#include <QDialog>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include "desktopsandbox.h"
#include "output/confirmbuddylistload.h"
#include "output/pagetext.h"
#include "platform/dialogautomation.h"
#include "settings/fileio.h"

using namespace huevox;
using platform::WindowId;

namespace {

QString StandinPath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/huevox_standin_messenger");
}

// The stand-in run directly on a font settings file, recording into the sandbox.
class Standin {
 public:
  Standin(DesktopSandbox& box, const QString& mode) : record_(box.path("record.txt")) {
    const QString file = box.path("font.blt");
    SaveListToFile(file.toStdString(), FontSettingsFileLines(FontSetting{}));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HUEVOX_STANDIN_RECORD", record_);
    env.insert("HUEVOX_STANDIN_MODE", mode);
    env.insert("HUEVOX_STANDIN_LINGER", "20");
    process_.setProcessEnvironment(env);
    process_.start(StandinPath(), {file});
  }
  ~Standin() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished();
    }
  }
  QProcess& process() { return process_; }
  QStringList record() const { return RecordLines(record_); }

 private:
  QString record_;
  QProcess process_;
};

}  // namespace

class X11AutomationTest : public QObject {
  Q_OBJECT
 private slots:
  void availableOnX11() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QVERIFY(platform::CreateDialogAutomation()->Unavailable().empty());
  }

  void saysPlainlyWhenThereIsNoX11() {
    // The same program on a platform without X11 answers for itself.
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HUEVOX_PRINT_UNAVAILABLE", "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(20000));
    const QString reason = QString::fromUtf8(child.readAllStandardOutput()).trimmed();
    QVERIFY2(reason.contains("X11"), qPrintable(reason));
  }

  void pressesBothDialogs_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("windowManager");
    QTest::addColumn<bool>("focusElsewhere");
    for (bool wm : {false, true}) {
      const char* suffix = wm ? " openbox" : " bare";
      QTest::newRow(QByteArray("dialogs").append(suffix)) << "both" << wm << false;
      // Wine's message boxes are plain top-level windows.
      QTest::newRow(QByteArray("plain window").append(suffix)) << "plain-window" << wm << false;
      // An unmapped and a plain window with the same title: the dialog wins.
      QTest::newRow(QByteArray("decoys").append(suffix)) << "decoys" << wm << false;
      // A window of ours has taken the focus: it must be handed to the dialog.
      QTest::newRow(QByteArray("focus elsewhere").append(suffix)) << "both" << wm << true;
    }
  }
  void pressesBothDialogs() {
    QFETCH(QString, mode);
    QFETCH(bool, windowManager);
    QFETCH(bool, focusElsewhere);
    DesktopSandbox box;
    if (windowManager) QVERIFY(box.startWindowManager());
    Standin standin(box, mode);
    auto automation = platform::CreateDialogAutomation();

    QVERIFY(WaitForDialog(*automation, kLoadBuddyListTitle, 10) != 0);
    if (windowManager) QVERIFY(box.windowManagerManages());
    QWidget ours;
    if (focusElsewhere) {
      ours.setWindowTitle("Huevox");
      ours.show();
      ours.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&ours));
    }
    const ConfirmResult result = ConfirmBuddyListLoad(*automation, 10);
    QVERIFY2(result.done, qPrintable(result.problem));
    QVERIFY(standin.process().waitForFinished(10000));
    QCOMPARE(standin.process().exitCode(), 0);
    const QStringList record = standin.record();
    QVERIFY(record.contains("pressed Load Buddy List"));
    QVERIFY(record.contains("pressed AOL Instant Messenger"));
    QVERIFY(!record.contains("pressed decoy"));
  }

  void pressesWineMessageBoxes() {
    const QString wine = QStandardPaths::findExecutable("wine");
    const QString exe = QCoreApplication::applicationDirPath() + "/huevox_wine_messagebox.exe";
    if (wine.isEmpty() || !QFile::exists(exe)) QSKIP("needs Wine and mingw-w64");
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("WINEPREFIX", dir.filePath("prefix"));
    env.insert("WINEARCH", "win64");
    env.insert("WINEDEBUG", "-all");
    env.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");  // no installers asking to download
    QProcess box;
    box.setProcessEnvironment(env);
    box.setStandardOutputFile(QProcess::nullDevice());
    box.setStandardErrorFile(QProcess::nullDevice());
    const QString record = dir.filePath("record.txt");
    box.start(wine, {exe, "Z:" + record});  // Wine's Z: is the Unix root
    auto automation = platform::CreateDialogAutomation();
    // The first start makes the Wine prefix, which takes a while.
    QVERIFY(WaitForDialog(*automation, kLoadBuddyListTitle, 120) != 0);
    const ConfirmResult result = ConfirmBuddyListLoad(*automation, 20);
    const bool ended = box.waitForFinished(20000);
    QProcess server;  // this prefix's Wine server, and nothing else
    server.setProcessEnvironment(env);
    server.start("wineserver", {"-k"});
    server.waitForFinished();
    QVERIFY2(result.done, qPrintable(result.problem));
    QVERIFY(ended);
    const QStringList lines = RecordLines(record);
    QVERIFY2(lines.contains("Load Buddy List OK"), qPrintable(lines.join('|')));
    QVERIFY2(lines.contains("AOL Instant Messenger OK"), qPrintable(lines.join('|')));
  }

  void matchesTheExactTitleOfViewableForeignWindowsOnly() {
    DesktopSandbox box;
    Standin standin(box, "both");
    auto automation = platform::CreateDialogAutomation();
    const WindowId dialog = WaitForDialog(*automation, kLoadBuddyListTitle, 10);
    QVERIFY(dialog != 0);
    QCOMPARE(automation->FindDialog("load buddy list"), WindowId{0});
    QCOMPARE(automation->FindDialog("Load Buddy"), WindowId{0});
    QCOMPARE(automation->FindDialog("Load Buddy List "), WindowId{0});
    QCOMPARE(automation->FindDialog(kMessengerTitle), WindowId{0});

    // A window of our own with the title is never taken, even when it is on top.
    QDialog own;
    own.setWindowTitle(kMessengerTitle);
    own.show();
    QVERIFY(QTest::qWaitForWindowExposed(&own));
    QCOMPARE(automation->FindDialog(kMessengerTitle), WindowId{0});
    QCOMPARE(automation->FindDialog(kLoadBuddyListTitle), dialog);
  }

  void vanishedWindowsAreNoError() {
    DesktopSandbox box;
    auto automation = platform::CreateDialogAutomation();
    WindowId dialog = 0;
    {
      Standin standin(box, "both");
      dialog = WaitForDialog(*automation, kLoadBuddyListTitle, 10);
      QVERIFY(dialog != 0);
    }  // killed
    QVERIFY(WaitUntil([&] { return automation->FindDialog(kLoadBuddyListTitle) == 0; }, 5000));
    QVERIFY(!automation->PressFirstButton(dialog));
    QVERIFY(!automation->PressFirstButton(0));
    QVERIFY(!automation->PressFirstButton(0x1ffffff0));
  }

  void walksTheTreeWhileWindowsComeAndGo() {
    // Another program keeps creating and destroying windows meanwhile.
    QProcess churn;
    churn.setStandardOutputFile(QProcess::nullDevice());
    churn.setStandardErrorFile(QProcess::nullDevice());
    // Each window lives some tens of milliseconds; the last ends itself within a second.
    churn.start("sh", {"-c", "while :; do timeout 0.05 xmessage -timeout 1 churn; done"});
    QVERIFY(churn.waitForStarted());
    DesktopSandbox box;
    Standin standin(box, "both");
    auto automation = platform::CreateDialogAutomation();
    const WindowId dialog = WaitForDialog(*automation, kLoadBuddyListTitle, 10);
    QVERIFY(dialog != 0);
    for (int i = 0; i < 150; ++i) QCOMPARE(automation->FindDialog(kLoadBuddyListTitle), dialog);
    churn.kill();
    churn.waitForFinished();
  }
};

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsSet("HUEVOX_PRINT_UNAVAILABLE")) {
    QGuiApplication app(argc, argv);
    std::printf("%s\n", platform::CreateDialogAutomation()->Unavailable().c_str());
    return 0;
  }
  QApplication app(argc, argv);
  X11AutomationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_x11automation.moc"
