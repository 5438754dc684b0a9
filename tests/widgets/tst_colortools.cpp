// The zoom window and the colour spy against the real X server: real windows
// of known colours, the real pointer and keys through XTest.
#include <QClipboard>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "app/mainwindow.h"
#include "colortools/colorspywindow.h"
#include "colortools/zoomwindow.h"
#include "fakeinput.h"
#include "widgets/screenfixtures.h"

using namespace huevox;
using namespace huevox::platform;
using namespace fixtures;

namespace {

QWidget* FindTopLevel(const QString& name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == name) return widget;
  return nullptr;
}

QString Text(QWidget& spy, const char* name) { return spy.findChild<QLineEdit*>(name)->text(); }
QColor Swatch(QWidget& spy) { return spy.findChild<QWidget*>("picColor")->palette().color(QPalette::Window); }
QPoint CrossHair(QWidget& spy) { return spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7)); }

}  // namespace

class ColorToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
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
    QCOMPARE(zoom->geometry().bottomRight(), QGuiApplication::primaryScreen()->geometry().bottomRight());
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

  // A whole gesture, from the press on the cross-hair to the release.
  void pickGesture_data() {
    QTest::addColumn<int>("button");      // X button
    QTest::addColumn<QPoint>("moveTo");   // none: press and release at once
    QTest::addColumn<QString>("read");    // what shows there
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QPoint>("landsAt");  // none: where it was moved
    QTest::addColumn<QString>("picked");  // the clipboard afterwards
    const QPoint orange(450, 450), corner = QGuiApplication::primaryScreen()->geometry().bottomRight();
    QTest::newRow("left") << 1 << orange << "FF8000" << QStringList() << QPoint() << "FF8000";
    QTest::newRow("middle") << 2 << orange << "FF8000" << QStringList() << QPoint() << "FF8000";
    QTest::newRow("quick click") << 1 << QPoint() << "" << QStringList() << QPoint() << "before";
    QTest::newRow("Esc") << 1 << orange << "FF8000" << QStringList{"Escape"} << QPoint() << "before";
    QTest::newRow("three nudges right") << 1 << QPoint(497, 450) << "FF8000" << QStringList{"Right", "Right", "Right"}
                                        << QPoint(500, 450) << "0A05C8";
    QTest::newRow("shift nudge left") << 1 << QPoint(505, 450) << "0A05C8" << QStringList{"shift+Left"}
                                      << QPoint(495, 450) << "FF8000";
    QTest::newRow("bottom-right corner") << 3 << corner << "C0C0C0" << QStringList() << QPoint() << "C0C0C0";
  }
  void pickGesture() {
    QFETCH(int, button);
    QFETCH(QPoint, moveTo);
    QFETCH(QString, read);
    QFETCH(QStringList, keys);
    QFETCH(QPoint, landsAt);
    QFETCH(QString, picked);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    auto orange = ShowColour(QColor(255, 128, 0), QRect(400, 400, 100, 100));
    auto blue = ShowColour(QColor(10, 5, 200), QRect(500, 400, 100, 100));
    auto silver = ShowColour(QColor(192, 192, 192), QRect(screen.bottomRight() - QPoint(299, 199), QSize(300, 200)));
    QTemporaryDir presets;  // the main window opens the spy and takes its colours
    MainWindow main(presets.path());
    main.pictureButton(12)->click();
    auto* spy = qobject_cast<ColorSpyWindow*>(FindTopLevel("frmcolorspy"));
    QVERIFY(orange && blue && silver && spy && QTest::qWaitForWindowExposed(spy));
    const QPoint at = spy->pos();
    for (auto mode : {QClipboard::Clipboard, QClipboard::Selection}) QGuiApplication::clipboard()->setText("before", mode);
    fakeinput::Move(CrossHair(*spy));
    fakeinput::SendButton(button, true);  // and, for a quick click, at once up again
    if (!moveTo.isNull()) {
      QTRY_VERIFY(spy->picking() && !spy->findChild<QWidget*>("picCursor")->isVisible());
      fakeinput::Move(moveTo);
      QTRY_COMPARE(Text(*spy, "txtHTML"), read);
      for (const QString& key : keys) QVERIFY(Key(key));
      if (!landsAt.isNull()) QTRY_COMPARE(fakeinput::PointerPosition(), landsAt);
      if (moveTo == screen.bottomRight())  // the zoom stepped aside
        QTRY_COMPARE(FindTopLevel("frmzoom")->geometry().bottomLeft(), screen.bottomLeft());
    }
    const QString code = picked == "before" ? QString() : picked;
    QTRY_COMPARE(Text(*spy, "txtHTML"), code);
    fakeinput::Button(button, false);
    QTRY_VERIFY(!spy->picking());
    QCOMPARE(QGuiApplication::clipboard()->text(), picked);
    QCOMPARE(QGuiApplication::clipboard()->text(QClipboard::Selection), picked);
    const QColor colour = code.isEmpty() ? QColor(Qt::black) : QColor("#" + code);
    QCOMPARE(Swatch(*spy), colour);
    QVERIFY(!FindTopLevel("frmzoom") && spy->findChild<QWidget*>("picCursor")->isVisible());
    QVERIFY(InputFree());
    QCOMPARE(spy->pos(), at);  // a left-button pick does not drag
    for (QLineEdit* box : {main.fontColorEdit(), main.backgroundColorEdit()}) {
      const QString before = box->text();  // with nothing read, nothing is handed on
      spy->findChild<QAbstractButton*>(box == main.fontColorEdit() ? "Picture1" : "Picture2")->click();
      QCOMPARE(box->text(), code.isEmpty() ? before : code);
      if (!code.isEmpty()) QCOMPARE(box->palette().color(QPalette::Text), colour);
    }
  }
};

QTEST_MAIN(ColorToolsTest)
#include "tst_colortools.moc"
