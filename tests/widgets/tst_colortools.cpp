// The zoom window and the colour spy against the real X server: real windows
// of known colours, the real pointer and keys through XTest.
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "app/mainwindow.h"
#include "colortools/colorspywindow.h"
#include "colortools/zoomwindow.h"
#include "widgets/fakeinput.h"
#include "widgets/screenfixtures.h"

using namespace huevox;
using namespace fixtures;

namespace {

QWidget* FindTopLevel(const QString& name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == name) return widget;
  return nullptr;
}

// The real reader, with what a Wayland session would add.
class SessionReader final : public ScreenReader {
 public:
  QString unavailable, caveat;
  std::unique_ptr<ScreenReader> real = CreateScreenReader();
  QString Unavailable() const override { return unavailable; }
  QString Caveat() const override { return caveat; }
  std::optional<QPoint> PointerPosition() override { return real->PointerPosition(); }
  std::optional<std::uint32_t> ReadPixel(QPoint at) override { return real->ReadPixel(at); }
  bool ReadArea(const QRect& area, QImage& image) override { return real->ReadArea(area, image); }
  bool MovePointer(QPoint at) override { return real->MovePointer(at); }
};

QString Text(QWidget& spy, const char* name) { return spy.findChild<QLineEdit*>(name)->text(); }
QColor Swatch(QWidget& spy) { return spy.findChild<QWidget*>("picColor")->palette().color(QPalette::Window); }
QPoint CrossHair(QWidget& spy) { return spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7)); }

}  // namespace

class ColorToolsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<ColorSpyWindow> ShowSpy(std::unique_ptr<ScreenReader> reader = CreateScreenReader()) {
    auto spy = std::make_unique<ColorSpyWindow>(std::move(reader));
    spy->move(40, 40);
    spy->show();
    if (!QTest::qWaitForWindowExposed(spy.get())) return nullptr;
    return spy;
  }

 private slots:
  void cleanup() {
    for (int button = 1; button <= 3; ++button) fakeinput::SendButton(button, false);
    fakeinput::Move({5, 5});
  }

  // The frame: every screen pixel a 10 x 10 block, the dotted grid on each
  // block's first row and column, the marker round the middle.
  void zoomFrameIsExact() {
    auto spy = ShowSpy();
    QVERIFY(spy);
    spy->activateWindow();
    QTRY_VERIFY(spy->isActiveWindow());
    const QPoint origin(400, 300), under(37, 29);
    auto window = ShowImage(Pattern({80, 60}), origin);
    QVERIFY(window);
    fakeinput::Move(origin + under);
    auto reader = CreateScreenReader();
    ZoomWindow zoom(*reader);
    QSignalSpy redrawn(&zoom, &ZoomWindow::redrawn);
    zoom.show();
    QTRY_VERIFY(redrawn.count() >= 1);
    QCOMPARE(zoom.geometry(), QRect(QGuiApplication::primaryScreen()->geometry().bottomRight() - QPoint(220, 155),
                                    QSize(221, 156)));
    QVERIFY(spy->isActiveWindow());  // shown without taking the focus
    const QImage frame = zoom.frame();
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
    QTRY_VERIFY(reader->ReadArea(QRect(zoom.mapToGlobal(QPoint(2, 2)), frame.size()), shown) && shown == frame);
  }

  void zoomRedrawsOnMovesAndEveryFifthTickAtRest() {
    auto reader = CreateScreenReader();
    auto zoom = std::make_unique<ZoomWindow>(*reader);
    QTimer* timer = zoom->findChild<QTimer*>("tmrZoom");
    QList<int> redrawTicks, elapsed;
    connect(timer, &QTimer::timeout, this, [&] { elapsed << zoom->elapsedMs(); });
    connect(zoom.get(), &ZoomWindow::redrawn, this, [&] { redrawTicks << elapsed.size() + 1; });
    zoom->show();
    QTRY_VERIFY_WITH_TIMEOUT(elapsed.size() >= 16, 3000);
    // The first tick redraws although the pointer has not moved.
    QCOMPARE(redrawTicks.mid(0, 4), QList<int>({1, 6, 11, 16}));
    QCOMPARE(elapsed.mid(0, 7), QList<int>({0, 50, 100, 150, 200, 0, 50}));
    fakeinput::Move({200, 210});
    const int before = elapsed.size();
    QTRY_VERIFY(redrawTicks.last() > before);
    QVERIFY(redrawTicks.last() <= before + 2);
    // Minimised, the ticks do nothing at all.
    zoom->showMinimized();
    const int frozen = zoom->elapsedMs(), drawn = redrawTicks.size(), from = elapsed.size();
    QTRY_VERIFY(elapsed.size() >= from + 7);
    QCOMPARE(redrawTicks.size(), drawn);
    QCOMPARE(zoom->elapsedMs(), frozen);
    // Loading again sets LastX and the factor; the counter and LastY run on.
    zoom = std::make_unique<ZoomWindow>(*reader);
    QCOMPARE(zoom->lastX(), -100);
    QCOMPARE(zoom->lastY(), 210);
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
    QTest::newRow("right") << 3 << orange << "FF8000" << QStringList() << QPoint() << "FF8000";
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
    auto spy = ShowSpy();
    QVERIFY(orange && blue && silver && spy);
    QGuiApplication::clipboard()->setText("before");
    QGuiApplication::clipboard()->setText("before", QClipboard::Selection);
    fakeinput::Move(CrossHair(*spy));
    if (moveTo.isNull()) {
      fakeinput::SendButton(button, true);
    } else {
      fakeinput::Button(button, true);
      QTRY_VERIFY(spy->picking());
      QVERIFY(!spy->findChild<QWidget*>("picCursor")->isVisible());
      fakeinput::Move(moveTo);
      QTRY_COMPARE(Text(*spy, "txtHTML"), read);
      for (const QString& key : keys) QVERIFY(Key(key));
      if (!landsAt.isNull()) QTRY_COMPARE(fakeinput::PointerPosition(), landsAt);
      if (moveTo == screen.bottomRight()) {  // the zoom stepped aside
        QTRY_COMPARE(FindTopLevel("frmzoom")->geometry().bottomLeft(), screen.bottomLeft());
      }
    }
    const QString code = picked == "before" ? QString() : picked;
    QTRY_COMPARE(Text(*spy, "txtHTML"), code);
    fakeinput::Button(button, false);
    QTRY_VERIFY(!spy->picking());
    QTest::qWait(50);
    QCOMPARE(QGuiApplication::clipboard()->text(), picked);
    QCOMPARE(QGuiApplication::clipboard()->text(QClipboard::Selection), picked);
    QCOMPARE(Swatch(*spy), code.isEmpty() ? QColor(Qt::black) : QColor("#" + code));
    QVERIFY(!FindTopLevel("frmzoom"));
    QVERIFY(spy->findChild<QWidget*>("picCursor")->isVisible());
    QVERIFY(InputFree());
    QCOMPARE(spy->pos(), QPoint(40, 40));  // a left-button pick does not drag
  }

  // A screen that cannot be read is explained at every press; one that reads
  // only part of the desktop, once before the first pick.
  void sessionLimitsAreSaid_data() {
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("unreadable") << true;
    QTest::newRow("only X11 windows") << false;
  }
  void sessionLimitsAreSaid() {
    QFETCH(bool, unreadable);
    auto reader = std::make_unique<SessionReader>();
    (unreadable ? reader->unavailable : reader->caveat) = "Not every colour can be read here.";
    auto spy = ShowSpy(std::move(reader));
    QVERIFY(spy);
    QStringList said;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        said << box->windowTitle() + ": " + box->text();
        box->accept();
      }
    });
    answer.start(50);
    for (int press = 0; press < 2; ++press) {
      fakeinput::Move(CrossHair(*spy));
      fakeinput::Button(1, true);
      QTest::qWait(300);
      QCOMPARE(spy->picking(), !unreadable && press == 1);
      fakeinput::Button(1, false);
      QTRY_VERIFY(!spy->picking());
    }
    QCOMPARE(said.size(), unreadable ? 2 : 1);
    QCOMPARE(said.first(), QString("Huevox: Not every colour can be read here."));
  }

  void draggingByTheBackground_data() {
    QTest::addColumn<QList<int>>("buttons");
    QTest::addColumn<QPoint>("grab");  // in the window
    QTest::addColumn<bool>("moves");
    QTest::newRow("left on the background") << QList<int>{1} << QPoint(5, 50) << true;
    QTest::newRow("right on the background") << QList<int>{3} << QPoint(5, 50) << false;
    QTest::newRow("left and right") << QList<int>{1, 3} << QPoint(5, 50) << false;
    QTest::newRow("left on the hex box") << QList<int>{1} << QPoint(150, 15) << false;
  }
  void draggingByTheBackground() {
    QFETCH(QList<int>, buttons);
    QFETCH(QPoint, grab);
    QFETCH(bool, moves);
    auto spy = ShowSpy();
    QVERIFY(spy);
    const QPoint start = spy->pos(), at = spy->mapToGlobal(grab);
    fakeinput::Move(at);
    for (int button : buttons) fakeinput::Button(button, true);
    for (int step = 1; step <= 5; ++step) {
      fakeinput::Move(at + QPoint(step * 12, step * 7));
      QTest::qWait(20);
    }
    for (int button : buttons) fakeinput::Button(button, false);
    QTest::qWait(50);
    QTRY_COMPARE(spy->pos(), start + (moves ? QPoint(60, 35) : QPoint()));
    QVERIFY(!spy->picking());
  }

  void mainWindowOpensTheSpyAndTakesItsColours() {
    QTemporaryDir presets;
    MainWindow main(presets.path());
    main.show();
    auto colour = ShowColour(QColor(255, 128, 0), QRect(600, 600, 100, 100));
    QVERIFY(colour && QTest::qWaitForWindowExposed(&main));
    main.pictureButton(12)->click();
    auto* spy = qobject_cast<ColorSpyWindow*>(FindTopLevel("frmcolorspy"));
    QVERIFY(spy && QTest::qWaitForWindowExposed(spy));
    spy->findChild<QAbstractButton*>("Picture1")->click();  // nothing read yet: nothing happens
    QCOMPARE(main.fontColorEdit()->text(), QString("000000"));
    fakeinput::Move(CrossHair(*spy));
    fakeinput::Button(1, true);
    fakeinput::Move({650, 650});
    QTRY_COMPARE(Text(*spy, "txtHTML"), QString("FF8000"));
    fakeinput::Button(1, false);
    QTRY_VERIFY(!spy->picking());
    for (QLineEdit* box : {main.fontColorEdit(), main.backgroundColorEdit()}) {
      spy->findChild<QAbstractButton*>(box == main.fontColorEdit() ? "Picture1" : "Picture2")->click();
      QCOMPARE(box->text(), QString("FF8000"));
      QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 128, 0));
    }
    // Hidden and opened again: the same window, with its colour.
    spy->findChild<QAbstractButton*>("Picture3")->click();
    QVERIFY(!spy->isVisible());
    main.pictureButton(12)->click();
    QCOMPARE(FindTopLevel("frmcolorspy"), spy);
    QCOMPARE(Text(*spy, "txtHTML"), QString("FF8000"));
  }
};

QTEST_MAIN(ColorToolsTest)
#include "tst_colortools.moc"
