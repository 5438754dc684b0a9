// The colour spy in a Wayland session: Huevox on X11 (as through XWayland,
// and like Debian 12's Xwayland without a XWAYLAND extension) with a Wayland
// session's environment, the real xdg-desktop-portal on a private session bus,
// and a scripted picker behind it in place of the compositor's.
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include "colortools/colorspywindow.h"
#include "fakeinput.h"
#include "widgets/modal.h"

using namespace huevox;

namespace {

const char kPortal[] = "/usr/libexec/xdg-desktop-portal";

QString Text(QWidget& spy, const char* name) { return spy.findChild<QLineEdit*>(name)->text(); }

bool OnBus(const QString& name) { return QDBusConnection::sessionBus().interface()->isServiceRegistered(name); }

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

}  // namespace

class PortalPickTest : public QObject {
  Q_OBJECT

 public:
  explicit PortalPickTest(const QString& folder) : folder_(folder), script_(folder + "/picker") {}

 private slots:
  void initTestCase() {
    QVERIFY2(QFile::exists(kPortal), "xdg-desktop-portal is not installed");
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "the test's session bus did not start");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DESKTOP_PORTAL_DIR", folder_);
    environment.insert("XDG_CURRENT_DESKTOP", "huevoxtest");
    // The frontend offers Screenshot only beside an Access backend.
    Write(folder_ + "/huevoxtest.portal",
          "[portal]\nDBusName=org.freedesktop.impl.portal.desktop.huevoxtest\n"
          "Interfaces=org.freedesktop.impl.portal.Screenshot;org.freedesktop.impl.portal.Access;\n"
          "UseIn=huevoxtest\n");
    for (QProcess* process : {&picker_, &portal_}) {
      process->setProcessEnvironment(environment);
      process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    picker_.start(HUEVOX_RUNTIME_DIR "/huevox_portal_backend", {script_});
    QTRY_VERIFY(OnBus("org.freedesktop.impl.portal.desktop.huevoxtest"));
    portal_.start(kPortal, {"-r"});
    QTRY_VERIFY(OnBus("org.freedesktop.portal.Desktop"));
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("WAYLAND_DISPLAY", "wayland-huevox-test");
  }

  void cleanupTestCase() {
    for (QProcess* process : {&portal_, &picker_}) {
      process->kill();
      process->waitForFinished();
    }
  }

  void pick_data() {
    QTest::addColumn<QByteArray>("answer");  // what the picker answers; empty: no portal at all
    QTest::addColumn<QStringList>("texts");  // txtHTML, txtColor, txtred, txtgreen, txtblue after
    QTest::addColumn<bool>("told");          // a message names what went wrong
    const QStringList unchanged{"", "", "Text1", "Text1", "Text1"};
    QTest::newRow("colour") << QByteArray("colour 0.2 0.4 0.8") << QStringList{"3366CC", "13395507", "51", "102", "204"}
                            << false;
    // To the nearest of 0-255; out of range clamped.
    QTest::newRow("rounded") << QByteArray("colour 0.5 1.7 -0.3") << QStringList{"80FF00", "65408", "128", "255", "0"}
                             << false;
    QTest::newRow("cancel") << QByteArray("cancel") << unchanged << false;
    QTest::newRow("error") << QByteArray("error") << unchanged << true;
    QTest::newRow("never answers") << QByteArray("never") << unchanged << false;
    QTest::newRow("no portal") << QByteArray() << unchanged << true;  // last: it stops the portal
  }

  void pick() {
    QFETCH(QByteArray, answer);
    QFETCH(QStringList, texts);
    QFETCH(bool, told);
    Write(script_, answer);
    QFile::remove(script_ + ".calls");
    if (answer.isEmpty()) {
      portal_.kill();
      QVERIFY(portal_.waitForFinished());
      QTRY_VERIFY(!OnBus("org.freedesktop.portal.Desktop"));
    }
    QGuiApplication::clipboard()->setText("before");
    ColorSpyWindow spy;
    spy.show();
    QVERIFY(QTest::qWaitForWindowExposed(&spy));
    modal::Message message;
    modal::recordMessage(&message);
    const QPoint crossHair = spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7));
    QElapsedTimer clock;
    clock.start();
    fakeinput::Click(crossHair);
    if (told) {
      QTRY_VERIFY_WITH_TIMEOUT(!message.text.isEmpty(), 2000);
      QVERIFY2(clock.elapsed() <= 2000, "the message came later than 2 s");
      QVERIFY2(message.text.contains("X11 session"), qPrintable(message.text));
    } else if (!texts[0].isEmpty()) {
      QTRY_COMPARE(Text(spy, "txtHTML"), texts[0]);
    } else {
      QTest::qWait(500);
    }
    QCOMPARE((QStringList{Text(spy, "txtHTML"), Text(spy, "txtColor"), Text(spy, "txtred"),
                          Text(spy, "txtgreen"), Text(spy, "txtblue")}),
             texts);
    const bool picked = !texts[0].isEmpty();
    QCOMPARE(QGuiApplication::clipboard()->text(), picked ? texts[0] : "before");
    if (picked) {
      QCOMPARE(QGuiApplication::clipboard()->text(QClipboard::Selection), texts[0]);
      QCOMPARE(spy.findChild<QWidget*>("picColor")->palette().color(QPalette::Window).name().toUpper(),
               "#" + texts[0]);
    }
    QVERIFY(message.text.isEmpty() != told);
    // The compositor owns the pick: no zoom, no grab, nothing left picking.
    for (QWidget* window : QApplication::topLevelWidgets()) QVERIFY(window->objectName() != "frmzoom");
    QVERIFY(!QWidget::mouseGrabber() && !spy.picking());

    if (answer.isEmpty()) return;
    QVERIFY2(Calls().startsWith("x11:"), "the pick names no window");
    if (answer != "never") return;
    // A second press while the picker is up asks nothing more; Esc gives it up.
    fakeinput::Click(crossHair);
    QTest::qWait(300);
    QCOMPARE(Calls().count('\n'), 1);
    QTest::keyClick(&spy, Qt::Key_Escape);
    fakeinput::Click(crossHair);
    QTRY_COMPARE(Calls().count('\n'), 2);
  }

  // Where there is no X at all, and no Qt Wayland plugin either, it says so
  // and ends, rather than aborting in Qt.
  void waylandAlone() {
    if (!QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms").entryList({"*wayland*"}).isEmpty())
      QSKIP("Qt's Wayland plugin is installed here");
    QProcess huevox;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    huevox.setProcessEnvironment(environment);
    huevox.start(HUEVOX_RUNTIME_DIR "/huevox");
    QVERIFY(huevox.waitForFinished(10000));
    QCOMPARE(huevox.exitStatus(), QProcess::NormalExit);
    QCOMPARE(huevox.exitCode(), 1);
    QVERIFY(huevox.readAllStandardError().contains("no X display (XWayland)"));
  }

 private:
  // One line per request the picker was asked, naming the parent window.
  QByteArray Calls() const {
    QFile calls(script_ + ".calls");
    return calls.open(QIODevice::ReadOnly) ? calls.readAll() : QByteArray();
  }

  QString folder_, script_;
  QProcess picker_, portal_;
};

// The session bus must be the test's own before Qt first reaches for one.
int main(int argc, char* argv[]) {
  QTemporaryDir folder;
  const QString config = folder.path() + "/bus.conf";
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 1;
  // Nothing can be started on demand: only what the test starts is there.
  file.write(QString("<busconfig><type>session</type><listen>unix:path=%1/bus</listen><auth>EXTERNAL</auth>"
                     "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                     "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                 .arg(folder.path())
                 .toUtf8());
  file.close();
  QProcess bus;
  bus.start("dbus-daemon", {"--config-file=" + config, "--fork", "--print-pid=1"});
  if (!bus.waitForFinished() || bus.exitCode() != 0) return 1;
  const qint64 busPid = bus.readAll().trimmed().toLongLong();
  qputenv("DBUS_SESSION_BUS_ADDRESS", QString("unix:path=%1/bus").arg(folder.path()).toUtf8());
  int status;
  {
    QApplication application(argc, argv);
    PortalPickTest test(folder.path());
    status = QTest::qExec(&test, argc, argv);
  }
  QProcess::execute("kill", {QString::number(busPid)});
  return status;
}

#include "tst_portalpick.moc"
