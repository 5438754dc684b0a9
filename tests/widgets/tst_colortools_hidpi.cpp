// The colour tools on two monitors of one X screen (RandR monitors on a
// private Xvfb), the left one at a device pixel ratio of 1, the right one
// at 2: every device pixel must be reachable on each, not only every other.
#include <QClipboard>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>

#include "colortools/colorspywindow.h"
#include "colortools/zoomwindow.h"
#include "fakeinput.h"
#include "widgets/screenfixtures.h"

using namespace huevox;
using namespace huevox::platform;
using namespace fixtures;

namespace {

QScreen* Screen(int index) { return QGuiApplication::screens().at(index); }

// A pattern window on the screen, one image pixel per device pixel; its
// top-left corner in device pixels.
QPoint ShowPattern(int screen, std::unique_ptr<QLabel>& window) {
  window = ShowImage(Pattern({64, 48}), Screen(screen)->geometry().topLeft() + QPoint(100, 100),
                     Screen(screen)->devicePixelRatio());
  return DeviceGeometry(Screen(screen)).topLeft() + QPoint(100, 100) * Screen(screen)->devicePixelRatio();
}

}  // namespace

class ColorToolsHiDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCOMPARE(DeviceGeometry(Screen(1)), QRect(1280, 0, 1280, 1024)); }

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
    std::unique_ptr<QLabel> window;
    const QPoint origin = ShowPattern(screen, window);
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

  // A pick on either screen reads the device pixel under the pointer, and a
  // nudge moves one device pixel; the zoom sits in that screen's corner.
  void pickOnEachScreen_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QPoint>("picked");  // in the pattern, from (20, 9)
    QTest::newRow("left screen") << 0 << "" << QPoint(20, 9);
    QTest::newRow("right screen, nudged") << 1 << "Right" << QPoint(21, 9);
  }
  void pickOnEachScreen() {
    QFETCH(int, screen);
    QFETCH(QString, keys);
    QFETCH(QPoint, picked);
    std::unique_ptr<QLabel> window;
    const QPoint origin = ShowPattern(screen, window);
    ColorSpyWindow spy;
    spy.show();
    QVERIFY(window && QTest::qWaitForWindowExposed(&spy));
    fakeinput::Move(spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7)));
    fakeinput::Button(1, true);
    QTRY_VERIFY(spy.picking());
    fakeinput::Move(origin + QPoint(20, 9));
    QVERIFY(keys.isEmpty() || Key(keys));
    QTRY_COMPARE(fakeinput::PointerPosition(), origin + picked);
    const QString code = QString::fromStdString(DescribeColour(ValueOf(PatternPixel(picked.x(), picked.y()))).hex);
    QTRY_COMPARE(spy.findChild<QLineEdit*>("txtHTML")->text(), code);
    ZoomWindow* zoom = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) zoom = zoom ? zoom : qobject_cast<ZoomWindow*>(widget);
    QVERIFY(zoom);
    QTRY_COMPARE(zoom->frame().pixel(105, 75), PatternPixel(picked.x(), picked.y()));
    QCOMPARE(zoom->geometry().bottomRight(), Screen(screen)->geometry().bottomRight());
    fakeinput::Button(1, false);
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), code);
  }
};

int main(int argc, char* argv[]) {
  // A private X server with two monitors side by side, before the
  // application connects to it.
  QProcess xvfb;
  xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "2560x1024x24", "-noreset", "-nolisten", "tcp"});
  if (!xvfb.waitForReadyRead(10000)) return 1;
  qputenv("DISPLAY", ":" + xvfb.readLine().trimmed());
  if (QProcess::execute("sh", {"-c", "xrandr --setmonitor left 1280/338x1024/270+0+0 screen >/dev/null && "
                                     "xrandr --setmonitor right 1280/338x1024/270+1280+0 none"}) != 0)
    return 1;
  qputenv("QT_SCREEN_SCALE_FACTORS", "1;2");
  int result = 1;
  {
    QApplication app(argc, argv);
    ColorToolsHiDpiTest test;
    result = QTest::qExec(&test, argc, argv);
  }
  xvfb.terminate();
  xvfb.waitForFinished();
  return result;
}

#include "tst_colortools_hidpi.moc"
