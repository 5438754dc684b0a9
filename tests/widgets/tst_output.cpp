// The previews and the messenger update from the main window's buttons, end to
// end: the real opener (xdg-open) hands the files to whatever a throwaway
// desktop registers for them (its own XDG homes, no system-wide data), and the
// X11 automation answers the dialogs of the stand-in messenger or xmessage,
// with and without openbox (Wine's message boxes: packaging/test_blt_wine.sh);
// and the real program started as a newcomer starts it.
#include <QtTest>
#include <QtWidgets>

#include "app/mainwindow.h"
#include "output/confirmbuddylistload.h"
#include "output/messengerupdate.h"
#include "output/pagetext.h"
#include "output/preview.h"
#include "styles/styleswindow.h"
#include "fakeinput.h"

#include <csignal>

using namespace huevox;
using platform::WindowId;

class OutputTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir dir_;
  QProcess wm_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<platform::DialogAutomation> automation_;
  const QString standin_ = QCoreApplication::applicationDirPath() + "/huevox_standin_messenger";

  QString path(const QString& name) const { return dir_.filePath(name); }
  bool write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }
  QByteArray read(const QString& name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QStringList record() const { return QString(read("record.txt")).split('\n', Qt::SkipEmptyParts); }
  // An executable script running `body`, as a command line for a desktop entry.
  QString script(const QString& name, const QString& body) const {
    write(name, ("#!/bin/sh\n" + body + "\n").toUtf8());
    QFile::setPermissions(path(name), QFile::ReadOwner | QFile::ExeOwner);
    return path(name) + " %f";
  }
  // Makes `command` the default program for files matching `glob`.
  void registerProgram(const QString& type, const QString& glob, const QString& command,
                       bool browser = false) {
    const QString id = QString(type).replace('/', '-');
    QVERIFY(write("data/mime/packages/" + id + ".xml",
                  "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">"
                  "<mime-type type=\"" + type.toUtf8() + "\"><glob pattern=\"" + glob.toUtf8() +
                      "\"/></mime-type></mime-info>\n"));
    QVERIFY(write("data/applications/" + id + ".desktop",
                  "[Desktop Entry]\nType=Application\nName=" + id.toUtf8() + "\nExec=" +
                      command.toUtf8() + "\nMimeType=" + type.toUtf8() + ";\n" +
                      (browser ? "Categories=Network;WebBrowser;\n" : "")));
    QVERIFY(fakeinput::Shell("update-mime-database '" + path("data/mime") + "' && xdg-mime default " + id + ".desktop " + type));
  }
  void registerBlt(const QString& command, bool browser = false) {
    registerProgram("application/x-huevox-buddy-list", "*.blt", command, browser);
  }
  QString standin(const QString& mode) {
    qputenv("HUEVOX_STANDIN_MODE", mode.toUtf8());
    return standin_ + " %f";
  }
  QString fontFile() const { return path("cache/Huevox/font.blt"); }
  // Clicks "Update Aim"; what the update reported, empty when it succeeded.
  QString clickUpdate() {
    QSignalSpy finished(window_->messengerUpdate(), &MessengerUpdate::finished);
    window_->pictureButton(6)->click();
    if (finished.size() != 1) return QStringLiteral("finished %1 times").arg(finished.size());
    return finished[0][0].toBool() ? QString() : finished[0][1].toString();
  }
  // The text of the shown "Huevox" messages, closing them.
  static QString takeMessage() {
    QString text;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (box && box->isVisible() && box->windowTitle() == "Huevox") text += box->text();
      if (box) box->close();
    }
    return text;
  }
  void startWindowManager() {  // with its themes, which the sandbox hides
    wm_.start("env", {"XDG_DATA_DIRS=/usr/share", "openbox", "--sm-disable"});
    QVERIFY(QTest::qWaitFor([] { return fakeinput::Shell("xprop -root | grep -q ^_NET_SUPPORTING_WM_CHECK"); }, 10000));
  }
  void type(const QStringList& fields) {  // Text2, Text3, Text4, Text5
    window_->fontColorEdit()->setText(fields[0]);
    window_->backgroundColorEdit()->setText(fields[1]);
    window_->fontFaceEdit()->setText(fields[2]);
    window_->fontSizeEdit()->setText(fields[3]);
  }

 private slots:
  void initTestCase() {
    QCoreApplication::setApplicationName("Huevox");
    for (const char* name : {"data/mime/packages", "config", "system", "presets", "cache/Huevox"})
      QVERIFY(QDir().mkpath(path(name)));
    // Before anything asks Qt about file types: it keeps the folders it saw.
    qputenv("XDG_DATA_HOME", path("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
    qputenv("XDG_DATA_DIRS", path("system").toUtf8());
    qputenv("XDG_CACHE_HOME", path("cache").toUtf8());
    // Without a registered program xdg-open falls back on $BROWSER: make that fail.
    qputenv("BROWSER", "false");
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DE");
    qputenv("HUEVOX_STANDIN_RECORD", path("record.txt").toUtf8());
    qputenv("HUEVOX_STANDIN_LINGER", "10");
    automation_ = platform::CreateDialogAutomation();
  }
  void init() {
    // No program for any type; the types stay known.
    QDir(path("data/applications")).removeRecursively();
    QVERIFY(QDir().mkpath(path("data/applications")));
    QFile::remove(path("config/mimeapps.list"));
    QFile::remove(path("record.txt"));
    QFile::remove(fontFile());  // kept by an unanswered update; only the program's end removes it
    window_ = std::make_unique<MainWindow>(path("presets"));
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() {
    takeMessage();
    window_.reset();
    if (wm_.state() == QProcess::NotRunning) return;
    wm_.terminate();
    wm_.waitForFinished(5000);
    // The root keeps the property; a later test must not believe a manager runs.
    fakeinput::Shell("xprop -root -remove _NET_SUPPORTING_WM_CHECK");
  }

  void updatesTheMessenger_data() {
    QTest::addColumn<QString>("mode");  // of the stand-in
    QTest::addColumn<bool>("windowManager");
    QTest::addColumn<QString>("disturbance");
    for (bool wm : {false, true}) {
      const QByteArray suffix = wm ? ", openbox" : ", bare";
      // The answer is a plain top-level window, as Wine's message boxes are.
      // (Windows open before the hand-over are left to tst_confirm's table.)
      QTest::newRow("plain window" + suffix) << "plain-window" << wm << "";
      // Both dialogs; the key must not go to the window that has the focus.
      QTest::newRow("focus on ours" + suffix) << "both" << wm << "focus";
    }
    // The manager unmaps windows of other workspaces; its client list has them.
    QTest::newRow("other workspace, openbox") << "both" << true << "workspace";
  }
  void updatesTheMessenger() {
    QFETCH(QString, mode);
    QFETCH(bool, windowManager);
    QFETCH(QString, disturbance);
    if (windowManager) startWindowManager();
    registerBlt(standin(mode));
    if (disturbance == "focus") {
      // Refused (BadMatch) while openbox still frames the window: asked again.
      QVERIFY(QTest::qWaitFor([&] {
        fakeinput::Xdotool("windowfocus " + QString::number(window_->winId()));
        return window_->isActiveWindow();
      }, 5000));
    }
    QTimer mover;  // sends the dialog to the third workspace as soon as it shows
    connect(&mover, &QTimer::timeout, [&] {
      if (fakeinput::Xdotool("search --onlyvisible --name '^Load Buddy List$' set_desktop_for_window %@ 2"))
        mover.stop();
    });
    if (disturbance == "workspace") mover.start(50);
    type({"FF8800", "102030", "Comic Sans MS", "11"});
    window_->stylesWindow()->styleBox(3)->setChecked(true);

    QCOMPARE(clickUpdate(), QString());
    QByteArray bytes;
    for (const auto& line : FontSettingsFileLines({"FF8800", "102030", "Comic Sans MS", "11", 3}))
      bytes += QByteArray::fromStdString(line) + "\r\n";
    QCOMPARE(record(), QStringList({"opened " + fontFile(), "bytes " + bytes.toHex(),
                                    "pressed Load Buddy List", "pressed AOL Instant Messenger"}));
    QVERIFY(!QFile::exists(fontFile()));
    QVERIFY(!mover.isActive());
  }

  void failuresAreReported_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("program");  // registered for the file's type
    QTest::addColumn<QString>("message");
    QTest::newRow("dialog ignores the key") << 6 << "xmessage"
        << "“Load Buddy List” dialog could not be answered";
    QTest::newRow("only a web browser") << 6 << "browser" << "No program is set to open .blt";
    QTest::newRow("no program") << 6 << "" << "No program is set to open .blt files, so the messenger "
        "could not be updated. Set the messenger to open .blt files and try again. For a messenger under "
        "Wine, the steps are under MESSENGER UNDER WINE in \"man huevox\".";
    QTest::newRow("file cannot be written") << 6 << "unwritable" << "sub/font.blt: Not a directory.";
    QTest::newRow("page cannot be written") << 5 << "unwritable" << "sub/previewer.htm: Not a directory.";
    QTest::newRow("no program for pages") << 5 << "" << "no program is set to open this type";
  }
  void failuresAreReported() {
    QFETCH(int, button);
    QFETCH(QString, program);
    QFETCH(QString, message);
    const QString handOver = "echo \"opened $1\" >> '" + path("record.txt") + "'\n";
    if (program == "xmessage")  // takes no key but its own bindings
      registerBlt(script("deaf.sh", handOver + "exec xmessage -timeout 12 -title '" +
                                        kLoadBuddyListTitle + "' x"));
    if (program == "browser") registerBlt(script("www.sh", handOver), true);
    if (program == "unwritable") {
      registerBlt(standin("both"));
      QVERIFY(write("plain", "x"));
      window_->messengerUpdate()->setFolder(path("plain/sub"));  // under a file
      window_->preview()->setFolder(path("plain/sub"));
    }
    window_->messengerUpdate()->setDialogWait(2);

    window_->pictureButton(button)->click();
    const QString text = takeMessage();
    QVERIFY2(text.contains(message), qPrintable(text));
    const bool handedOver = program == "xmessage";
    QCOMPARE(QFile::exists(fontFile()), handedOver);  // an unanswered messenger may still want it
    QVERIFY(window_->pictureButton(6)->isEnabled());
    QTest::qWait(300);
    QCOMPARE(record().filter("opened ").size(), int(handedOver));
    QVERIFY(QTest::qWaitFor([&] { return automation_->FindDialogs(kLoadBuddyListTitle).empty(); }, 15000));
  }

  // A messenger slower than the wait reads the file (then asks) and is
  // answered by the user; the next update replaces the file.
  void slowMessengerStillFindsItsFile() {
    registerBlt(standin("delayed"));
    qputenv("HUEVOX_STANDIN_DELAY", "8");  // the update gives up after 5.5 s at most
    window_->messengerUpdate()->setDialogWait(2);
    QVERIFY(clickUpdate().contains("stays until the next update"));
    for (const char* title : {kLoadBuddyListTitle, kMessengerTitle})
      QVERIFY(automation_->PressFirstButton(WaitForDialog(*automation_, title, 10)));
    QTRY_COMPARE(record().filter("pressed ").size(), 2);
    standin("both");
    QCOMPARE(clickUpdate(), QString());
    QVERIFY(!QFile::exists(fontFile()));
  }

  // The preview opened during an update, which refuses a second one meanwhile.
  void previewButNoSecondUpdateMeanwhile() {
    registerBlt(standin("both"));
    registerProgram("text/x-huevox-page", "*.htm", script("page.sh", "echo \"page $1\" >> '" + path("record.txt") + "'"));
    type({"0000FF", "FFFF00", "DejaVu Sans", "8"});
    QToolButton* button = window_->pictureButton(6);
    bool disabledMeanwhile = false;
    QTimer::singleShot(300, window_.get(), [&] {
      disabledMeanwhile = !button->isEnabled() && QFile::exists(fontFile());
      window_->pictureButton(5)->click();
      window_->messengerUpdate()->updateMessenger();  // refused
    });

    QCOMPARE(clickUpdate(), QString());
    QVERIFY(disabledMeanwhile && button->isEnabled());
    QCOMPARE(record().filter("opened ").size(), 1);
    // Of the current setting (the page's bytes: presetPreviewLoadsColoursFaceAndSizeOnly).
    QVERIFY(read("cache/Huevox/previewer.htm").startsWith("<body bgcolor=#FFFF00><font face=\"DejaVu Sans\" color=#0000FF size=1 ptsize=8>"));
    QTRY_COMPARE(record().filter("page ").size(), 1);
  }

  void presetPreviewLoadsColoursFaceAndSizeOnly() {
    QVERIFY(write("presets/Summer.ini",
                  "[config]\r\nFONTCOLOR=FF0000\r\nBGCOLOR=00FF00\r\nFONT=Verdana\r\nSTYLE=2\r\n"));
    window_->refreshPresetList();
    window_->pictureButton(10)->click();
    // No size key: the size becomes empty.
    QCOMPARE(read("cache/Huevox/previewer.htm"),
             QByteArray("<body bgcolor=#00FF00><font face=\"Verdana\" color=#FF0000 size=1 "
                        "ptsize=> This is what your font will look like! :-P\r\n"));
    QFile::remove(path("presets/Summer.ini"));
    window_->refreshPresetList();
    window_->pictureButton(10)->click();  // none to preview: said so, nothing changes
    QVERIFY(takeMessage().contains("There is no preset to preview"));  // after the first preview's, if any
    QCOMPARE(window_->fontFaceEdit()->text(), QStringLiteral("Verdana"));
  }

  // The real program as a newcomer starts it, driven from outside: the splash,
  // then the main window about four seconds after the double-click, and both
  // windows see-through to other programs. It ends by its exit mark, or when
  // asked to during the dialog wait of an update (a logout, Ctrl+C, its
  // terminal closed), its own way, taking its file; the file a crashed run
  // left goes at the next start.
  void realProgramStartsAndEnds_data() {
    QTest::addColumn<int>("signal");  // none: the exit mark
    QTest::newRow("exit mark") << 0;
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
  }
  void realProgramStartsAndEnds() {
    QFETCH(int, signal);
    window_.reset();  // the real one's windows take the same places
    registerBlt(standin("first-only"));
    QVERIFY(write("cache/Huevox/font.blt", "left by a crash"));
    QProcess program;
    program.start(QCoreApplication::applicationDirPath() + "/huevox");
    const QString pid = QString::number(program.processId());
    const auto search = [&](const char* title) {
      return QString("xdotool search --all --onlyvisible --pid %1 --name '%2'").arg(pid, title);
    };
    const auto find = [&](const char* title) { return fakeinput::Shell(search(title) + " >/dev/null"); };
    // What other programs see: opacity 200 of 255 in the window's property.
    const auto translucent = [&](const char* title) {
      return fakeinput::Shell("xprop -id $(" + search(title) + " | head -1) _NET_WM_WINDOW_OPACITY | grep -q ' = 3368601800$'");
    };
    QVERIFY(QTest::qWaitFor([&] { return find("^Form3$"); }, 8000));
    QVERIFY(!QFile::exists(fontFile()) && !find("^Huevox$"));  // hidden until the splash is dismissed
    fakeinput::DismissSplash();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QTest::qWaitFor([&] { return find("^Huevox$"); }, 8000));
    // About four seconds: measured from the whole second nearest to the click.
    QVERIFY2(clock.elapsed() >= 3300 && clock.elapsed() <= 4800, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(translucent("^Huevox$"));
    const QPoint client(369, 271);  // the main window's fixed place
    if (signal) {
      fakeinput::Click(client + QPoint(60, 144));  // "Update Aim"
      QTRY_VERIFY_WITH_TIMEOUT(record().contains("pressed Load Buddy List"), 10000);
      QVERIFY(QFile::exists(fontFile()));  // the update now waits for the second dialog
      ::kill(program.processId(), signal);
    } else {
      fakeinput::Click(client + QPoint(144 + 16, 128 + 16));  // the Styles window
      QVERIFY(QTest::qWaitFor([&] { return find("^Styles$"); }, 3000));
      QVERIFY(translucent("^Styles$"));
      fakeinput::Click(client + QPoint(205, 8));
    }
    QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 5000);  // may end during the click's wait
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!QFile::exists(fontFile()));
    QVERIFY2(!program.readAllStandardError().contains("QProcess"), "the messenger's opener outlives the program");
  }

  void findsTheExactTitleOfAnotherProgramOnly() {
    QProcess other;
    other.start("xmessage", {"-timeout", "30", "-title", kLoadBuddyListTitle, "unrelated"});
    const WindowId window = WaitForDialog(*automation_, kLoadBuddyListTitle, 10);
    QVERIFY(window);
    for (const char* title : {"load buddy list", "Load Buddy", "Load Buddy List ", kMessengerTitle})
      QCOMPARE(automation_->FindDialog(title), WindowId{0});
    QCOMPARE(automation_->FindDialog(kLoadBuddyListTitle, {window}), WindowId{0});
    window_->setWindowTitle(kLoadBuddyListTitle);  // never our own window
    QCOMPARE(automation_->FindDialogs(kLoadBuddyListTitle), std::vector<WindowId>{window});
    other.kill();
    QVERIFY(QTest::qWaitFor([&] { return !automation_->FindDialog(kLoadBuddyListTitle); }, 5000));
    QVERIFY(!automation_->PressFirstButton(window));
    other.waitForFinished();
  }
};

QTEST_MAIN(OutputTest)
#include "tst_output.moc"
