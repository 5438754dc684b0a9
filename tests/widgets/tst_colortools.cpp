// The colour tools against real windows of known pixels, with the real
// pointer and keys (fakeinput.h). On X11: a private X server with two RandR
// monitors side by side, the left at a device pixel ratio of 1, the right at
// 2 (x11/with-two-monitors.sh). On Windows (under Wine): one screen at the system DPI, which CTest sets
// to each of Windows' scales in turn for the scaling table. Every device pixel
// must be reachable on each screen, not only every other.
// Last on X11, the colour spy in a Wayland session: Huevox on the same X server (as
// through XWayland, and like Debian 12's Xwayland without a XWAYLAND
// extension) with a Wayland session's environment, the real
// xdg-desktop-portal on a private session bus, and a scripted picker behind
// it in place of the compositor's.
#include <QtTest>
#include <QtWidgets>
#ifdef _WIN32
#include <windows.h>
#else
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#endif

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


// The device pixel of screen 0's logical point.
QPoint Device(QPoint logical) { return (QPointF(logical) * Screen(0)->devicePixelRatio()).toPoint(); }

QString Text(QWidget& spy, const char* name) { return spy.findChild<QLineEdit*>(name)->text(); }
QPoint CrossHair(QWidget& spy) { return Device(spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7))); }

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
  QClipboard* clipboard = QGuiApplication::clipboard();  // the selection is X11's alone
  for (auto mode : {QClipboard::Clipboard, QClipboard::Selection})
    QCOMPARE(clipboard->text(mode), mode == QClipboard::Clipboard || clipboard->supportsSelection() ? clip : "");
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
// Another program's window of one colour (ImageMagick's display) over a
// logical area of screen 0, as users pick from: a release over it must
// still reach the spy.
class ForeignColour {
 public:
  ForeignColour(QRgb colour, const QRect& area) : title_("huevox-colour-" + Hex(colour)) {
    const QRect device(Device(area.topLeft()), Device(area.bottomRight() + QPoint(1, 1)) - QPoint(1, 1));
    shown_ = fakeinput::Shell(QString("(display -borderwidth 0 -title %1 -size %2x%3 -geometry +%4+%5 xc:#%6 "
                                      ">/dev/null 2>&1 &) && xdotool search --sync --onlyvisible --name '^%1$'")
                                  .arg(title_).arg(device.width()).arg(device.height())
                                  .arg(device.x()).arg(device.y()).arg(Hex(colour)));
    QTest::qWait(100);  // painted, not only mapped
  }
  ~ForeignColour() { fakeinput::Shell("xdotool search --name '^" + title_ + "$' windowkill"); }
  explicit operator bool() const { return shown_; }

 private:
  QString title_;
  bool shown_;
};

// The pattern 100 logical pixels into the screen; PatternAt is its corner in device pixels.
std::unique_ptr<QLabel> ShowPattern(int screen) {
  return ShowImage(Pattern({64, 48}), Screen(screen)->geometry().topLeft() + QPoint(100, 100),
                   Screen(screen)->devicePixelRatio());
}
QPoint PatternAt(int screen) {
  return DeviceGeometry(Screen(screen)).topLeft() + QPoint(100, 100) * Screen(screen)->devicePixelRatio();
}

const char kPortal[] = "/usr/libexec/xdg-desktop-portal";

#ifdef _WIN32
// Windows has neither a desktop portal nor a session bus: those rows skip.
constexpr bool kLinuxDesktop = false;
bool OnBus(const QString&) { return false; }
QRect NativeRect(QWidget* window) {
  RECT r{};
  GetWindowRect(HWND(window->winId()), &r);
  return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}
#else
// The windows measured sit on the left screen, where logical pixels are device pixels.
QRect NativeRect(QWidget* window) { return window->frameGeometry(); }
constexpr bool kLinuxDesktop = true;
// No interface where the bus did not start.
bool OnBus(const QString& name) { auto* bus = QDBusConnection::sessionBus().interface(); return bus && bus->isServiceRegistered(name); }
#endif

}  // namespace

class ColorToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (!kLinuxDesktop) return;
    QCOMPARE(DeviceGeometry(Screen(1)), QRect(1280, 0, 1280, 1024));
    QVERIFY2(QFile::exists(kPortal), "xdg-desktop-portal is not installed");
    QVERIFY2(OnBus("org.freedesktop.DBus"), "the test's session bus did not start");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // huevoxtest.portal: the frontend offers Screenshot only beside an Access backend.
    environment.insert("XDG_DESKTOP_PORTAL_DIR", HUEVOX_SOURCE_DIR "/tests/portal_backend");
    environment.insert("XDG_CURRENT_DESKTOP", "huevoxtest");
    for (const char* name : {"XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})  // GLib's and dconf's files
      environment.insert(name, folder_.path());
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
    for (int button = 1; button <= 3; ++button) fakeinput::Button(button, false);
    fakeinput::Move({5, 5});
  }

  // A frame whose pixels are all known; redrawn on moves and every fifth
  // tick at rest; counters that outlive the window.
  void zoomWindow() {
    const QPoint origin = PatternAt(0), under(37, 29);
    auto window = ShowPattern(0);
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
    const int before = elapsed.size();  // the move may be drawn while it is still being sent
    fakeinput::Move(origin + under);
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
    // And that is what the screen shows: each box pixel (the box 2 pixels
    // into the window) on the device pixel under its middle. At 125 % the
    // last row and column share theirs with the border.
    const qreal ratio = Screen(0)->devicePixelRatio();
    const auto shows = [&] {
      QImage shown;
      if (!reader->ReadArea(NativeRect(zoom.get()), shown)) return false;
      for (int y = 0; y < frame.height() - 1; ++y)
        for (int x = 0; x < frame.width() - 1; ++x)
          if (shown.pixel(int((x + 2.5) * ratio), int((y + 2.5) * ratio)) != frame.pixel(x, y)) return false;
      return true;
    };
    QTRY_VERIFY(shows());
  }

  void readersAreExactToDevicePixels_data() {
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("screen");
    for (int screen = 0; screen < QGuiApplication::screens().size(); ++screen) {
      QTest::addRow("native, screen %d", screen) << true << screen;
      // Windows always has its native reader: the fallback is Linux's.
      if (kLinuxDesktop) QTest::addRow("QScreen, screen %d", screen) << false << screen;
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
    QVERIFY(reader->ReadArea(QRect(origin + QPoint(13, 7), QSize(1, 1)), area));  // one pixel, the zoom's way
    QCOMPARE(ValueOf(area.pixel(0, 0)), ValueOf(PatternPixel(13, 7)));
    // Off the desktop's top-right corner: black there, the screen elsewhere.
    const int right = DeviceGeometry(QGuiApplication::screens().last()).right();
    QVERIFY(reader->ReadArea(QRect(right - 9, -7, 22, 16), area));
    QCOMPARE(area.pixel(10, 6), qRgb(0, 0, 0));
    QCOMPARE(ValueOf(area.pixel(9, 7)), reader->ReadPixel({right, 0}).value_or(1u << 24));
    QVERIFY(!reader->ReadArea(QRect(right + 6, 0, 4, 4), area));
  }

  void pickGesture_data() {
    QTest::addColumn<Gesture>("g");
    // Screen 0's device pixels: orange left of x = 200 logical, blue right of it; the last screen's pattern.
    const QPoint blue = Device({250, 350}), edge = Device({200, 350});
    const QPoint corner = DeviceGeometry(Screen(0)).bottomRight(), pattern = PatternAt(QGuiApplication::screens().size() - 1);
    QTest::newRow("quick click") << Gesture{false, 1, {}, "", {}, {}, "before"};
    // Nothing read, yet what shows is copied.
    QTest::newRow("quick click after a pick") << Gesture{true, 1, {}, "", {}, {}, "FF8000"};
    // Any button picks: the middle one here, the right one in the corner.
    QTest::newRow("Esc after a pick") << Gesture{true, 2, blue, "0A05C8", {"Escape"}, {}, "before"};
    QTest::newRow("three nudges right") << Gesture{false, 1, edge - QPoint(3, 0), "FF8000", {"Right", "Right", "Right"}, edge, "0A05C8"};
    QTest::newRow("shift nudge left") << Gesture{false, 1, edge + QPoint(5, 0), "0A05C8", {"shift+Left"}, edge - QPoint(5, 0), "FF8000"};
    QTest::newRow("bottom-right corner") << Gesture{false, 3, corner, "C0C0C0", {}, {}, "C0C0C0"};
    QTest::newRow("pattern, nudged") << Gesture{false, 1, pattern + QPoint(20, 9), Hex(PatternPixel(20, 9)), {"Right", "Down"},
                                                pattern + QPoint(21, 10), Hex(PatternPixel(21, 10))};
  }
  void pickGesture() {
    QFETCH(Gesture, g);
    const QRect screen = Screen(0)->geometry();
    const ForeignColour orange(qRgb(255, 128, 0), QRect(100, 300, 100, 100)), blue(qRgb(10, 5, 200), QRect(200, 300, 100, 100));
    const ForeignColour silver(qRgb(192, 192, 192), QRect(screen.bottomRight() - QPoint(299, 199), QSize(300, 200)));
    auto pattern = ShowPattern(QGuiApplication::screens().size() - 1);
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
      fakeinput::Move(Device({150, 350}));
      QTRY_COMPARE(Text(*spy, "txtHTML"), QString("FF8000"));
      fakeinput::Button(1, false);
      QTRY_VERIFY(!spy->picking());
    }
    for (auto mode : {QClipboard::Clipboard, QClipboard::Selection}) QGuiApplication::clipboard()->setText("before", mode);
    fakeinput::Move(CrossHair(*spy));
    if (g.moveTo.isNull()) {
      fakeinput::PressAndRelease(g.button);  // within one tick of the spy's timer
    } else {
      fakeinput::Button(g.button, true);
      QTRY_VERIFY(spy->picking() && !spy->findChild<QWidget*>("picCursor")->isVisible());
      fakeinput::Move(g.moveTo);
      QTRY_COMPARE(Text(*spy, "txtHTML"), g.read);
      for (const QString& key : g.keys) QVERIFY(fakeinput::Key(key));
      if (!g.landsAt.isNull()) QTRY_COMPARE(CreateNativeScreenReader()->PointerPosition(), std::optional(g.landsAt));
    }
    const QString shown = g.picked != "before" ? g.picked : g.earlier ? "FF8000" : "";
    QTRY_COMPARE(Text(*spy, "txtHTML"), shown);
    if (auto* zoom = qobject_cast<ZoomWindow*>(FindTopLevel("frmzoom")); zoom && !g.moveTo.isNull()) {  // still picking
      // The pixel read in the middle; the window in a bottom corner of the pointer's screen, clear of the pointer.
      QTRY_COMPARE(QColor(zoom->frame().pixel(105, 75)), QColor("#" + shown));
      const QRect area = Screen(g.moveTo.x() > DeviceGeometry(Screen(0)).right())->geometry();
      QTRY_COMPARE(zoom->geometry().bottomLeft(), g.moveTo == DeviceGeometry(Screen(0)).bottomRight()
                                                      ? area.bottomLeft() : area.bottomRight() - QPoint(zoom->width() - 1, 0));
    }
    if (!g.moveTo.isNull()) fakeinput::Button(g.button, false);
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

  // Windows' scales, as Wine's system DPI (LogPixels): each row in the run
  // at its DPI (HUEVOX_TEST_DPI; tests/CMakeLists.txt runs this program at
  // each, with the picks, nudges and zoom frames above).
  void scaling_data() {
    QTest::addColumn<int>("dpi");
    for (int dpi : {96, 120, 144, 192}) QTest::addRow("%d dpi", dpi) << dpi;
  }
  void scaling() {
    QFETCH(int, dpi);
    if (kLinuxDesktop) QSKIP("LogPixels is Windows' system DPI; on X11 the right screen runs at a ratio of 2");
    if (qEnvironmentVariableIntValue("HUEVOX_TEST_DPI") != (dpi == 96 ? 0 : dpi)) QSKIP("the run at that DPI checks it");
    QCOMPARE(Screen(0)->devicePixelRatio(), dpi / 96.0);
    MainWindow main(QDir::tempPath() + "/huevox-none");  // no presets
    main.show();
    main.pictureButton(9)->click();
    main.pictureButton(12)->click();
    auto* spy = FindTopLevel("frmcolorspy");  // the zoom window: zoomWindow reads its whole frame off the screen
    for (QWidget* window : {static_cast<QWidget*>(&main), FindTopLevel("Form2"), spy}) {
      QVERIFY(QTest::qWaitForWindowExposed(window));
      // Twips at this DPI: the sizes at 96 dpi, scaled.
      QCOMPARE(NativeRect(window).size(), (QSizeF(window->size()) * dpi / 96).toSize());
      for (QWidget* control : window->findChildren<QWidget*>()) {  // every caption whole: labels, style boxes
        const QString text = control->property("text").toString();
        if (!text.isEmpty() && control->isVisibleTo(window) && !qobject_cast<QLineEdit*>(control))
          QVERIFY2(control->size().expandedTo(control->sizeHint()) == control->size(), qPrintable(text));
      }
    }
    // Dragged by its background in uneven steps: exactly the pointer's
    // travel, a whole number of logical pixels at each of these scales.
    const QPoint start = NativeRect(spy).topLeft();
    QPoint at = Device(spy->findChild<QWidget*>("picColor")->parentWidget()->mapToGlobal(QPoint(80, 45)));
    fakeinput::Move(at, 30);
    fakeinput::Button(1, true, 30);
    for (QPoint step : {QPoint(7, 3), QPoint(11, 17), QPoint(2, 9), QPoint(10, 31)}) fakeinput::Move(at += step, 30);
    fakeinput::Button(1, false, 30);
    QTRY_COMPARE(NativeRect(spy).topLeft() - start, QPoint(30, 60));
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
    if (!kLinuxDesktop) QSKIP("Windows has no desktop portal: its colour spy always reads the screen itself");
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


QTEST_MAIN(ColorToolsTest)
#include "tst_colortools.moc"
