// The colour tools on a private X server with two RandR monitors side by
// side, the left at a device pixel ratio of 1, the right at 2: real windows of
// known pixels, the real pointer and keys through XTest. Every device pixel
// must be reachable on each screen, not only every other.
// Last, the colour spy in a Wayland session: Huevox on the same X server (as
// through XWayland, and like Debian 12's Xwayland without a XWAYLAND
// extension) with a Wayland session's environment, the real
// xdg-desktop-portal on a private session bus, and a scripted picker behind
// it in place of the compositor's.
#include <QClipboard>
#include <QDir>
#include <QLibraryInfo>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "app/mainwindow.h"
#include "colortools/colorspywindow.h"
#include "colortools/zoomwindow.h"
#include "fakeinput.h"
#include "modal.h"

using namespace huevox;
using namespace huevox::platform;

// A whole gesture, from the press on the cross-hair to the release.
struct Gesture {
  bool earlier;    // a pick of orange came first
  int button;      // X button
  QPoint moveTo;   // device pixels; none: press and release at once
  QString read;    // what shows there
  QStringList keys;
  QPoint landsAt;  // none: where it was moved
  QString picked;  // the clipboard afterwards
};
Q_DECLARE_METATYPE(Gesture)

namespace {

QScreen* Screen(int index) { return QGuiApplication::screens().at(index); }

QWidget* FindTopLevel(const QString& name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == name) return widget;
  return nullptr;
}

QString Text(QWidget& spy, const char* name) { return spy.findChild<QLineEdit*>(name)->text(); }
QPoint CrossHair(QWidget& spy) { return spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7)); }

// Pixel (x, y) of the pattern: each pixel differs from its neighbours.
QRgb PatternPixel(int x, int y) { return qRgb((x * 7) & 255, (y * 11) & 255, (x * 3 + y * 5 + 40) & 255); }
QImage Pattern(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, PatternPixel(x, y));
  return image;
}
std::uint32_t ValueOf(QRgb rgb) { return qRed(rgb) | qGreen(rgb) << 8 | qBlue(rgb) << 16; }
QString Hex(QRgb rgb) { return QColor(rgb).name().mid(1).toUpper(); }

// After a pick: the swatch and the five texts show the code (none: all as
// loaded), the clipboard and the selection hold clip, nothing picks or grabs.
void CheckAfterPick(ColorSpyWindow& spy, const QString& code, const QString& clip) {
  const QColor colour = code.isEmpty() ? QColor(Qt::black) : QColor("#" + code);
  QCOMPARE(spy.findChild<QWidget*>("picColor")->palette().color(QPalette::Window), colour);
  QStringList texts;
  for (const char* name : {"txtHTML", "txtColor", "txtred", "txtgreen", "txtblue"}) texts << Text(spy, name);
  const auto number = [](auto n) { return QString::number(n); };
  QCOMPARE(texts, (code.isEmpty() ? QStringList{"", "", "Text1", "Text1", "Text1"}
                                  : QStringList{code, number(ValueOf(colour.rgb())),
                                                number(colour.red()), number(colour.green()), number(colour.blue())}));
  for (auto mode : {QClipboard::Clipboard, QClipboard::Selection}) QCOMPARE(QGuiApplication::clipboard()->text(mode), clip);
  QVERIFY(!spy.picking() && !QWidget::mouseGrabber() && !QWidget::keyboardGrabber());
  QVERIFY(!FindTopLevel("frmzoom") && spy.findChild<QWidget*>("picCursor")->isVisible());
}

// A borderless window showing the image one image pixel per device pixel.
std::unique_ptr<QLabel> ShowImage(const QImage& image, QPoint at, qreal devicePixelRatio = 1) {
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  auto window = std::make_unique<QLabel>(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window->setPixmap(pixmap);
  window->setGeometry(QRect(at, (QSizeF(image.size()) / devicePixelRatio).toSize()));
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  QTest::qWait(50);  // painted, not only mapped
  return window;
}
std::unique_ptr<QLabel> ShowColour(QRgb colour, const QRect& area) {
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(colour);
  return ShowImage(image, area.topLeft());
}
// The pattern 100 logical pixels into the screen; PatternAt is its corner in device pixels.
std::unique_ptr<QLabel> ShowPattern(int screen) {
  return ShowImage(Pattern({64, 48}), Screen(screen)->geometry().topLeft() + QPoint(100, 100),
                   Screen(screen)->devicePixelRatio());
}
QPoint PatternAt(int screen) {
  return DeviceGeometry(Screen(screen)).topLeft() + QPoint(100, 100) * Screen(screen)->devicePixelRatio();
}

// A key through XTest, as the keyboard would send it ("Right", "shift+Left").
bool Key(const QString& keys) { return QProcess::execute("xdotool", {"key", keys}) == 0; }

const char kPortal[] = "/usr/libexec/xdg-desktop-portal";

bool OnBus(const QString& name) { return QDBusConnection::sessionBus().interface()->isServiceRegistered(name); }

}  // namespace

class ColorToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(DeviceGeometry(Screen(1)), QRect(1280, 0, 1280, 1024));
    QVERIFY2(QFile::exists(kPortal), "xdg-desktop-portal is not installed");
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "the test's session bus did not start");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // huevoxtest.portal: the frontend offers Screenshot only beside an Access backend.
    environment.insert("XDG_DESKTOP_PORTAL_DIR", HUEVOX_SOURCE_DIR "/tests/portal_backend");
    environment.insert("XDG_CURRENT_DESKTOP", "huevoxtest");
    for (QProcess* process : {&picker_, &portal_}) {
      process->setProcessEnvironment(environment);
      // To a file, not our stderr: were this test to crash, they would hold
      // CTest's pipe open until its time-out.
      process->setStandardErrorFile(folder_.filePath(process == &picker_ ? "picker.log" : "portal.log"));
    }
    picker_.start(HUEVOX_RUNTIME_DIR "/huevox_portal_backend", {script_});
    QTRY_VERIFY(OnBus("org.freedesktop.impl.portal.desktop.huevoxtest"));
    portal_.start(kPortal, {"-r"});
    QTRY_VERIFY(OnBus("org.freedesktop.portal.Desktop"));
  }

  void cleanupTestCase() {
    for (QProcess* process : {&portal_, &picker_}) {
      process->kill();
      process->waitForFinished();
    }
  }

  void cleanup() {
    for (const char* name : {"XDG_SESSION_TYPE", "WAYLAND_DISPLAY"}) qunsetenv(name);
    for (int button = 1; button <= 3; ++button) fakeinput::SendButton(button, false);
    fakeinput::Move({5, 5});
  }

  // A frame whose pixels are all known; redrawn on moves and every fifth
  // tick at rest; counters that outlive the window.
  void zoomWindow() {
    const QPoint origin(400, 300), under(37, 29);
    auto window = ShowImage(Pattern({80, 60}), origin);
    QVERIFY(window);
    fakeinput::Move(origin + under - QPoint(5, 5));
    auto reader = CreateScreenReader();
    auto zoom = std::make_unique<ZoomWindow>(*reader);
    QList<int> redrawTicks, elapsed;
    connect(zoom->findChild<QTimer*>("tmrZoom"), &QTimer::timeout, this, [&] { elapsed << zoom->elapsedMs(); });
    connect(zoom.get(), &ZoomWindow::redrawn, this, [&] { redrawTicks << elapsed.size() + 1; });
    zoom->show();
    QTRY_VERIFY_WITH_TIMEOUT(elapsed.size() >= 11, 3000);
    QCOMPARE(redrawTicks.mid(0, 3), QList<int>({1, 6, 11}));  // the first tick draws, unmoved
    QCOMPARE(elapsed.mid(0, 7), QList<int>({0, 50, 100, 150, 200, 0, 50}));
    QCOMPARE(zoom->geometry().bottomRight(), Screen(0)->geometry().bottomRight());
    fakeinput::Move(origin + under);
    const int before = elapsed.size();
    QTRY_VERIFY(redrawTicks.last() > before);
    QVERIFY(redrawTicks.last() <= before + 2);
    // Every screen pixel a 10 x 10 block; the dotted grid on each block's
    // first row and column; the marker round the middle.
    const QImage frame = zoom->frame();
    QCOMPARE(frame.size(), QSize(217, 152));
    const QRect bars[] = {{100, 67, 18, 5}, {100, 67, 5, 18}, {100, 82, 18, 5}, {114, 67, 5, 18}};
    for (int y = 0; y < frame.height(); ++y) {
      for (int x = 0; x < frame.width(); ++x) {
        bool overlay = x % 10 == 0 || y % 10 == 0;
        for (const QRect& bar : bars) overlay = overlay || bar.contains(x, y);
        const QRgb expected = !overlay ? PatternPixel(under.x() - 10 + x / 10, under.y() - 7 + y / 10)
                              : (x + y) % 2 ? qRgb(0xC0, 0xC0, 0xC0) : qRgb(0x80, 0x80, 0x80);
        if (frame.pixel(x, y) != expected) QFAIL(qPrintable(QString("pixel %1, %2").arg(x).arg(y)));
      }
    }
    QImage shown;  // and that is what the screen shows
    QTRY_VERIFY(reader->ReadArea(QRect(zoom->mapToGlobal(QPoint(2, 2)), frame.size()), shown) && shown == frame);
    // Loading again sets LastX and the factor; the counter and LastY run on.
    const int frozen = zoom->elapsedMs();
    zoom = std::make_unique<ZoomWindow>(*reader);
    QCOMPARE(zoom->lastX(), -100);
    QCOMPARE(zoom->lastY(), origin.y() + under.y());
    QCOMPARE(zoom->elapsedMs(), frozen);
  }

  void readersAreExactToDevicePixels_data() {
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("screen");
    for (int screen : {0, 1}) {
      QTest::addRow("xcb, screen %d", screen) << true << screen;
      QTest::addRow("QScreen, screen %d", screen) << false << screen;
    }
  }
  void readersAreExactToDevicePixels() {
    QFETCH(bool, native);
    QFETCH(int, screen);
    auto reader = native ? CreateNativeScreenReader() : CreateQtScreenReader();
    const auto window = ShowPattern(screen);
    const QPoint origin = PatternAt(screen);
    QVERIFY(reader && window);
    fakeinput::Move(origin + QPoint(13, 7));
    // Qt's own pointer position is logical: exact to one logical pixel only.
    QVERIFY((*reader->PointerPosition() - (origin + QPoint(13, 7))).manhattanLength() <= (native ? 0 : 2));
    QCOMPARE(reader->ReadPixel(origin + QPoint(13, 7)), std::optional<std::uint32_t>(ValueOf(PatternPixel(13, 7))));
    QImage area;
    QVERIFY(reader->ReadArea(QRect(origin + QPoint(3, 5), QSize(23, 17)), area));
    QCOMPARE(area, Pattern({64, 48}).copy(3, 5, 23, 17));
    // Off the desktop's top-right corner: black there, the screen elsewhere.
    QVERIFY(reader->ReadArea(QRect(2550, -7, 22, 16), area));
    QCOMPARE(area.pixel(10, 6), qRgb(0, 0, 0));
    QCOMPARE(ValueOf(area.pixel(9, 7)), reader->ReadPixel({2559, 0}).value_or(1u << 24));
    QVERIFY(!reader->ReadArea(QRect(2565, 0, 4, 4), area));
  }

  void pickGesture_data() {
    QTest::addColumn<Gesture>("g");
    const QPoint orange(450, 450), blue(550, 450), corner = Screen(0)->geometry().bottomRight(), right = PatternAt(1);
    QTest::newRow("left") << Gesture{false, 1, orange, "FF8000", {}, {}, "FF8000"};
    QTest::newRow("middle") << Gesture{false, 2, orange, "FF8000", {}, {}, "FF8000"};
    QTest::newRow("quick click") << Gesture{false, 1, {}, "", {}, {}, "before"};
    // Nothing read, yet what shows is copied.
    QTest::newRow("quick click after a pick") << Gesture{true, 1, {}, "", {}, {}, "FF8000"};
    QTest::newRow("Esc after a pick") << Gesture{true, 1, blue, "0A05C8", {"Escape"}, {}, "before"};
    QTest::newRow("three nudges right") << Gesture{false, 1, {497, 450}, "FF8000", {"Right", "Right", "Right"}, {500, 450}, "0A05C8"};
    QTest::newRow("shift nudge left") << Gesture{false, 1, {505, 450}, "0A05C8", {"shift+Left"}, {495, 450}, "FF8000"};
    QTest::newRow("bottom-right corner") << Gesture{false, 3, corner, "C0C0C0", {}, {}, "C0C0C0"};
    QTest::newRow("right screen, nudged") << Gesture{false, 1, right + QPoint(20, 9), Hex(PatternPixel(20, 9)), {"Right"},
                                                     right + QPoint(21, 9), Hex(PatternPixel(21, 9))};
  }
  void pickGesture() {
    QFETCH(Gesture, g);
    const QRect screen = Screen(0)->geometry();
    auto orange = ShowColour(qRgb(255, 128, 0), QRect(400, 400, 100, 100));
    auto blue = ShowColour(qRgb(10, 5, 200), QRect(500, 400, 100, 100));
    auto silver = ShowColour(qRgb(192, 192, 192), QRect(screen.bottomRight() - QPoint(299, 199), QSize(300, 200)));
    auto pattern = ShowPattern(1);
    QTemporaryDir presets;  // the main window opens the spy and takes its colours
    MainWindow main(presets.path());
    main.pictureButton(12)->click();
    auto* spy = qobject_cast<ColorSpyWindow*>(FindTopLevel("frmcolorspy"));
    QVERIFY(orange && blue && silver && pattern && spy && QTest::qWaitForWindowExposed(spy));
    QTRY_VERIFY(spy->isActiveWindow());
    QVERIFY(!spy->findChild<QWidget*>("txtHTML")->hasFocus());  // a stray key would change the code passed on
    const QPoint at = spy->pos();
    if (g.earlier) {
      fakeinput::Move(CrossHair(*spy));
      fakeinput::Button(1, true);
      QTRY_VERIFY(spy->picking());
      fakeinput::Move({450, 450});
      QTRY_COMPARE(Text(*spy, "txtHTML"), QString("FF8000"));
      fakeinput::Button(1, false);
      QTRY_VERIFY(!spy->picking());
    }
    for (auto mode : {QClipboard::Clipboard, QClipboard::Selection}) QGuiApplication::clipboard()->setText("before", mode);
    fakeinput::Move(CrossHair(*spy));
    fakeinput::SendButton(g.button, true);  // and, for a quick click, at once up again
    if (!g.moveTo.isNull()) {
      QTRY_VERIFY(spy->picking() && !spy->findChild<QWidget*>("picCursor")->isVisible());
      fakeinput::Move(g.moveTo);
      QTRY_COMPARE(Text(*spy, "txtHTML"), g.read);
      for (const QString& key : g.keys) QVERIFY(Key(key));
      if (!g.landsAt.isNull()) QTRY_COMPARE(fakeinput::PointerPosition(), g.landsAt);
    }
    const QString shown = g.picked != "before" ? g.picked : g.earlier ? "FF8000" : "";
    QTRY_COMPARE(Text(*spy, "txtHTML"), shown);
    if (auto* zoom = qobject_cast<ZoomWindow*>(FindTopLevel("frmzoom"))) {  // still picking
      // The pixel read in the middle; the window in a bottom corner of the pointer's screen, clear of the pointer.
      QTRY_COMPARE(QColor(zoom->frame().pixel(105, 75)), QColor("#" + shown));
      const QRect area = Screen(g.moveTo.x() >= 1280)->geometry();
      QTRY_COMPARE(zoom->geometry().bottomLeft(),
                   g.moveTo == screen.bottomRight() ? area.bottomLeft() : area.bottomRight() - QPoint(zoom->width() - 1, 0));
    }
    fakeinput::Button(g.button, false);
    QTest::qWait(100);  // even a quick click handled
    QTRY_VERIFY(!spy->picking());
    CheckAfterPick(*spy, shown, g.picked);  // Esc: the earlier pick's, all of it
    if (QTest::currentTestFailed()) return;
    QCOMPARE(spy->pos(), at);  // a left-button pick does not drag
    for (QLineEdit* box : {main.fontColorEdit(), main.backgroundColorEdit()}) {
      const QString before = box->text();  // with nothing read, nothing is handed on
      spy->findChild<QAbstractButton*>(box == main.fontColorEdit() ? "Picture1" : "Picture2")->click();
      QCOMPARE(box->text(), shown.isEmpty() ? before : shown);
      if (!shown.isEmpty()) QCOMPARE(box->palette().color(QPalette::Text), QColor("#" + shown));
    }
  }

  void portalPick_data() {
    QTest::addColumn<QByteArray>("answer");  // what the picker answers; empty: no portal at all
    QTest::addColumn<QString>("code");       // the code shown after; none: nothing picked
    QTest::addColumn<bool>("told");          // a message names what went wrong
    QTest::newRow("colour") << QByteArray("colour 0.2 0.4 0.8") << "3366CC" << false;
    // To the nearest of 0-255; out of range clamped.
    QTest::newRow("rounded") << QByteArray("colour 0.5 1.7 -0.3") << "80FF00" << false;
    QTest::newRow("cancel") << QByteArray("cancel") << "" << false;
    QTest::newRow("error") << QByteArray("error") << "" << true;
    QTest::newRow("never answers") << QByteArray("never") << "" << false;
    QTest::newRow("no portal") << QByteArray() << "" << true;  // last: it stops the portal
  }

  void portalPick() {
    QFETCH(QByteArray, answer);
    QFETCH(QString, code);
    QFETCH(bool, told);
    QFile script(script_);
    QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate) && script.write(answer) == answer.size());
    script.close();
    QFile::remove(script_ + ".calls");
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("WAYLAND_DISPLAY", "wayland-huevox-test");
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
    QObject watch;  // ends the message watch with the row, message or not
    modal::recordMessage(&message, &watch);
    const QPoint crossHair = spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7));
    fakeinput::Click(crossHair);
    // What comes, comes within 2 s, and nothing more after it.
    QTRY_VERIFY_WITH_TIMEOUT(Text(spy, "txtHTML") == code && message.text.isEmpty() != told, 2000);
    QTest::qWait(500);
    QVERIFY2(told ? message.text.contains("X11 session") : message.text.isEmpty(), qPrintable(message.text));
    // The compositor owns the pick: no zoom, no grab, nothing left picking.
    CheckAfterPick(spy, code, code.isEmpty() ? "before" : code);
    if (QTest::currentTestFailed()) return;

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

  // Where a Wayland session has no X at all, and Qt no Wayland plugin either,
  // the program says so and ends, rather than aborting in Qt.
  void waylandAlone() {
    if (!QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms").entryList({"*wayland*"}).isEmpty())
      QSKIP("Qt's Wayland plugin is installed here");
    QProcess huevox;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.insert("WAYLAND_DISPLAY", "wayland-huevox-test");
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

  QTemporaryDir folder_;
  const QString script_ = folder_.filePath("picker");
  QProcess picker_, portal_;
};


// The X server and the session bus must be the test's own before Qt first
// reaches for them.
int main(int argc, char* argv[]) {
  // Two monitors side by side.
  QProcess xvfb, bus;
  xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "2560x1024x24", "-noreset", "-nolisten", "tcp"});
  if (!xvfb.waitForReadyRead(10000)) return 1;
  qputenv("DISPLAY", ":" + xvfb.readLine().trimmed());
  if (QProcess::execute("sh", {"-c", "xrandr --setmonitor left 1280/338x1024/270+0+0 screen >/dev/null && "
                                     "xrandr --setmonitor right 1280/338x1024/270+1280+0 none"}) != 0)
    return 1;
  qputenv("QT_SCREEN_SCALE_FACTORS", "1;2");
  QTemporaryDir folder;
  bus.start("dbus-daemon", {"--config-file=" HUEVOX_SOURCE_DIR "/tests/portal_backend/bus.conf",
                            "--address=unix:path=" + folder.filePath("bus"), "--nofork", "--print-address=1"});
  if (!bus.waitForReadyRead(10000)) return 1;
  qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
  int result = 1;
  {
    QApplication app(argc, argv);
    ColorToolsTest test;
    result = QTest::qExec(&test, argc, argv);
  }
  for (QProcess* server : {&bus, &xvfb}) {
    server->kill();
    server->waitForFinished();
  }
  return result;
}

#include "tst_colortools.moc"
