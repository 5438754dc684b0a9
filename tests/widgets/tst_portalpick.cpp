// The colour spy in a Wayland session: Huevox on X11 (as through XWayland,
// and like Debian 12's Xwayland without a XWAYLAND extension) with a Wayland
// session's environment, the real xdg-desktop-portal on a private session bus,
// and a scripted picker behind it in place of the compositor's.
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include "colortools/colorspywindow.h"
#include "fakeinput.h"
#include "widgets/modal.h"

using namespace huevox;

namespace {

const char kPortal[] = "/usr/libexec/xdg-desktop-portal";

QStringList Texts(QWidget& spy) {
  QStringList texts;
  for (const char* name : {"txtHTML", "txtColor", "txtred", "txtgreen", "txtblue"})
    texts << spy.findChild<QLineEdit*>(name)->text();
  return texts;
}

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
    for (auto mode : {QClipboard::Clipboard, QClipboard::Selection}) QGuiApplication::clipboard()->setText("before", mode);
    ColorSpyWindow spy;
    spy.show();
    QVERIFY(QTest::qWaitForWindowExposed(&spy));
    modal::Message message;
    modal::recordMessage(&message);
    const QPoint crossHair = spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7));
    fakeinput::Click(crossHair);
    // What comes, comes within 2 s, and nothing more after it.
    QTRY_VERIFY_WITH_TIMEOUT(Texts(spy) == texts && message.text.isEmpty() != told, 2000);
    QTest::qWait(500);
    QCOMPARE(Texts(spy), texts);
    QVERIFY2(told ? message.text.contains("X11 session") : message.text.isEmpty(), qPrintable(message.text));
    const QString code = texts[0].isEmpty() ? "before" : texts[0];
    for (auto mode : {QClipboard::Clipboard, QClipboard::Selection}) QCOMPARE(QGuiApplication::clipboard()->text(mode), code);
    QCOMPARE(spy.findChild<QWidget*>("picColor")->palette().color(QPalette::Window).name().toUpper(),
             "#" + (texts[0].isEmpty() ? "000000" : texts[0]));
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
  QFile config(folder.filePath("bus.conf"));
  // Nothing can be started on demand: only what the test starts is there.
  if (!config.open(QIODevice::WriteOnly) ||
      config.write(QString("<busconfig><type>session</type><listen>unix:path=%1/bus</listen><auth>EXTERNAL</auth>"
                           "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                           "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                       .arg(folder.path())
                       .toUtf8()) < 0)
    return 1;
  config.close();
  QProcess bus;
  bus.start("dbus-daemon", {"--config-file=" + config.fileName(), "--nofork", "--print-address=1"});
  if (!bus.waitForReadyRead(10000)) return 1;
  qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
  int status;
  {
    QApplication application(argc, argv);
    PortalPickTest test(folder.path());
    status = QTest::qExec(&test, argc, argv);
  }
  bus.kill();
  bus.waitForFinished();
  return status;
}

#include "tst_portalpick.moc"
