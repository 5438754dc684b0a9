// The colour tools on two monitors of one X screen (RandR monitors on a
// private Xvfb), the left one at a device pixel ratio of 2, the right one
// at 1: every device pixel must be reachable on each, not only every other.
#include <QClipboard>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>

#include "colortools/colorspywindow.h"
#include "colortools/zoomwindow.h"
#include "widgets/fakeinput.h"
#include "widgets/screenfixtures.h"

using namespace huevox;
using namespace fixtures;

class ColorToolsHiDpiTest : public QObject {
  Q_OBJECT

  // A pattern window on the screen, one image pixel per device pixel; its
  // top-left corner in device pixels.
  QPoint ShowPattern(int screenIndex, std::unique_ptr<QLabel>& window) {
    QScreen* screen = QGuiApplication::screens().at(screenIndex);
    const QPoint logical = screen->geometry().topLeft() + QPoint(100, 100);
    window = ShowImage(Pattern({64, 48}), logical, screen->devicePixelRatio());
    return DeviceGeometry(screen).topLeft() + QPoint(100, 100) * screen->devicePixelRatio();
  }

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QCOMPARE(DeviceGeometry(QGuiApplication::screens().at(1)), QRect(1280, 0, 1280, 1024));
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
    std::unique_ptr<QLabel> window;
    const QPoint origin = ShowPattern(screen, window);
    QVERIFY(reader && window);
    for (QPoint p : {QPoint(13, 7), QPoint(14, 8), QPoint(63, 47), QPoint(1, 0)}) {
      fakeinput::Move(origin + p);
      const auto pointer = reader->PointerPosition();
      QVERIFY(pointer);
      // Qt's own pointer position is logical: exact to one logical pixel only.
      QVERIFY((*pointer - (origin + p)).manhattanLength() <= (native ? 0 : 2));
      QCOMPARE(reader->ReadPixel(origin + p), std::optional<std::uint32_t>(ValueOf(PatternPixel(p.x(), p.y()))));
    }
    QImage area;
    QVERIFY(reader->ReadArea(QRect(origin + QPoint(3, 5), QSize(23, 17)), area));
    QCOMPARE(area.size(), QSize(23, 17));
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 23; ++x) QCOMPARE(area.pixel(x, y), PatternPixel(3 + x, 5 + y));
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
    QTest::addColumn<QPoint>("at");  // in the pattern
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QPoint>("picked");
    QTest::newRow("left screen, nudged") << 0 << QPoint(20, 9) << "Right" << QPoint(21, 9);
    QTest::newRow("right screen") << 1 << QPoint(33, 21) << "" << QPoint(33, 21);
  }
  void pickOnEachScreen() {
    QFETCH(int, screen);
    QFETCH(QPoint, at);
    QFETCH(QString, keys);
    QFETCH(QPoint, picked);
    std::unique_ptr<QLabel> window;
    const QPoint origin = ShowPattern(screen, window);
    ColorSpyWindow spy;
    spy.move(20, 20);
    spy.show();
    QVERIFY(window && QTest::qWaitForWindowExposed(&spy));
    fakeinput::Move(spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7)) * 2);
    fakeinput::Button(1, true);
    QTRY_VERIFY(spy.picking());
    fakeinput::Move(origin + at);
    if (!keys.isEmpty()) QVERIFY(Key(keys));
    QTRY_COMPARE(fakeinput::PointerPosition(), origin + picked);
    const QString code = QString::fromStdString(DescribeColour(ValueOf(PatternPixel(picked.x(), picked.y()))).hex);
    QTRY_COMPARE(spy.findChild<QLineEdit*>("txtHTML")->text(), code);
    ZoomWindow* zoom = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) zoom = zoom ? zoom : qobject_cast<ZoomWindow*>(widget);
    QVERIFY(zoom);
    QSignalSpy redrawn(zoom, &ZoomWindow::redrawn);
    QTRY_VERIFY(redrawn.count() >= 1);
    QCOMPARE(zoom->geometry().bottomRight(), QGuiApplication::screens().at(screen)->geometry().bottomRight());
    QCOMPARE(zoom->frame().pixel(105, 75), PatternPixel(picked.x(), picked.y()));
    fakeinput::Button(1, false);
    QTRY_VERIFY(!spy.picking());
    QCOMPARE(QGuiApplication::clipboard()->text(), code);
  }
};

int main(int argc, char* argv[]) {
  // A private X server, two monitors side by side, before the application
  // connects to it.
  QProcess xvfb;
  xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", "2560x1024x24", "-noreset", "-nolisten", "tcp"});
  if (!xvfb.waitForReadyRead(10000)) return 1;
  qputenv("DISPLAY", ":" + xvfb.readLine().trimmed());
  for (const char* monitor : {"left 1280/338x1024/270+0+0 screen", "right 1280/338x1024/270+1280+0 none"}) {
    if (QProcess::execute("xrandr", QStringList{"--setmonitor"} + QString(monitor).split(' ')) != 0) return 1;
  }
  qputenv("QT_SCREEN_SCALE_FACTORS", "2;1");
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
