// The colour tools at a device pixel ratio of 2: every screen pixel must be
// reachable, not only every other one.
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "colortools/colorspywindow.h"
#include "colortools/colourcode.h"
#include "platform/screenreader.h"
#include "colortools/zoomwindow.h"
#include "widgets/fakeinput.h"
#include "widgets/screenfixtures.h"

using namespace huevox;
using namespace fixtures;

namespace {

// A window whose image has one pixel per device pixel.
std::unique_ptr<QLabel> ShowDevicePattern(QSize devicePixels, QPoint logicalAt) {
  return ShowImage(Pattern(devicePixels), logicalAt, 2);
}

}  // namespace

class ColorToolsHiDpiTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(QGuiApplication::platformName() == "xcb");
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
  }

  void readersAreExactToDevicePixels_data() {
    QTest::addColumn<bool>("x11");
    QTest::newRow("xcb") << true;
    QTest::newRow("QScreen") << false;
  }
  void readersAreExactToDevicePixels() {
    QFETCH(bool, x11);
    auto reader = x11 ? CreateNativeScreenReader() : CreateQtScreenReader();
    QVERIFY(reader);
    auto window = ShowDevicePattern({64, 48}, {100, 100});
    QVERIFY(window);
    const QPoint origin(200, 200);  // device pixels
    for (QPoint p : {QPoint(13, 7), QPoint(14, 8), QPoint(63, 47), QPoint(1, 0)}) {
      fakeinput::Move(origin + p);
      const auto pointer = reader->PointerPosition();
      QVERIFY(pointer);
      if (x11) {
        QCOMPARE(*pointer, origin + p);
      } else {
        // Qt's pointer position is logical: exact to one device pixel only.
        QVERIFY((*pointer - (origin + p)).manhattanLength() <= 2);
      }
      QCOMPARE(reader->ReadPixel(origin + p), std::optional<std::uint32_t>(ValueOf(PatternPixel(p.x(), p.y()))));
    }
    QImage area;
    QVERIFY(reader->ReadArea(QRect(origin + QPoint(3, 5), QSize(23, 17)), area));
    QCOMPARE(area.size(), QSize(23, 17));
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 23; ++x) QCOMPARE(area.pixel(x, y), PatternPixel(3 + x, 5 + y));
  }

  void zoomShowsTheDevicePixelUnderThePointer() {
    auto window = ShowDevicePattern({64, 48}, {100, 100});
    QVERIFY(window);
    fakeinput::Move({200 + 33, 200 + 21});
    auto reader = CreateScreenReader();
    ZoomWindow zoom(*reader);
    QSignalSpy redrawn(&zoom, &ZoomWindow::redrawn);
    zoom.show();
    QVERIFY(QTest::qWaitForWindowExposed(&zoom));
    QTRY_VERIFY(redrawn.count() >= 1);
    QCOMPARE(zoom.frameGeometry().bottomRight(), QGuiApplication::primaryScreen()->geometry().bottomRight());
    const QImage& frame = zoom.frame();
    QCOMPARE(frame.size(), QSize(217, 152));
    QCOMPARE(frame.pixel(105, 75), PatternPixel(33, 21));
    QCOMPARE(frame.pixel(125, 75), PatternPixel(35, 21));
    QCOMPARE(frame.pixel(95, 85), PatternPixel(32, 22));
    QCOMPARE(frame.pixel(0, 0), qRgb(0x80, 0x80, 0x80));
  }

  void spyPicksAnOddDevicePixel() {
    auto window = ShowDevicePattern({64, 48}, {100, 100});
    QVERIFY(window);
    ColorSpyWindow spy;
    spy.move(20, 20);
    spy.show();
    QVERIFY(QTest::qWaitForWindowExposed(&spy));
    const QPoint cross = spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7)) * 2;
    fakeinput::Move(cross);
    fakeinput::Button(1, true);
    QTRY_VERIFY(spy.picking());
    fakeinput::Move({200 + 21, 200 + 9});
    const ColourTexts expected = DescribeColour(ValueOf(PatternPixel(21, 9)));
    QTRY_COMPARE(spy.findChild<QLineEdit*>("txtHTML")->text(), QString::fromStdString(expected.hex));
    QCOMPARE(spy.findChild<QLineEdit*>("txtColor")->text(), QString::fromStdString(expected.value));
    fakeinput::Button(1, false);
    QTRY_VERIFY(!spy.picking());
  }
};

int main(int argc, char* argv[]) {
  // Before the application exists: every window at twice the size.
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  ColorToolsHiDpiTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_colortools_hidpi.moc"
