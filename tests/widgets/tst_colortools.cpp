// The zoom window and the colour spy against the real X server: real windows
// of known colours, the real pointer moved and its buttons pressed via XTest.
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <deque>

#include "app/mainwindow.h"
#include "colortools/colorspywindow.h"
#include "colortools/colourcode.h"
#include "platform/screenreader.h"
#include "colortools/zoomwindow.h"
#include "widgets/fakeinput.h"
#include "widgets/screenfixtures.h"

using namespace huevox;
using namespace fixtures;

namespace {

// X buttons by Qt button.
int XButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::MiddleButton: return 2;
    case Qt::RightButton: return 3;
    default: return 1;
  }
}

QWidget* FindTopLevel(const QString& name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == name) return widget;
  return nullptr;
}

// Gives pixel reads from a list, then fails; the pointer stays put.
class ScriptedReader final : public ScreenReader {
 public:
  std::deque<std::optional<std::uint32_t>> pixels;
  int reads = 0;
  QString unavailable;
  QString Unavailable() const override { return unavailable; }
  std::optional<QPoint> PointerPosition() override { return QPoint(5, 5); }
  std::optional<std::uint32_t> ReadPixel(QPoint) override {
    ++reads;
    if (pixels.empty()) return std::nullopt;
    auto pixel = pixels.front();
    if (pixels.size() > 1) pixels.pop_front();
    return pixel;
  }
  bool ReadArea(const QRect&, QImage&) override { return false; }
};

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

  static QPoint CrossHairCentre(ColorSpyWindow& spy) {
    QWidget* cursor = spy.findChild<QWidget*>("picCursor");
    return cursor->mapToGlobal(QPoint(7, 7));
  }

  static QString Text(ColorSpyWindow& spy, const char* name) { return spy.findChild<QLineEdit*>(name)->text(); }

  static QColor Swatch(ColorSpyWindow& spy) {
    return spy.findChild<QWidget*>("picColor")->palette().color(QPalette::Window);
  }

 private slots:
  void initTestCase() {
    QVERIFY2(QGuiApplication::platformName() == "xcb", "these tests need an X server");
    fakeinput::Move({5, 5});
  }

  void cleanup() {
    for (int button = 1; button <= 3; ++button) fakeinput::SendButton(button, false);
    fakeinput::Move({5, 5});
    QTest::qWait(20);
  }

  void readersGiveTheScreensPixels_data() {
    QTest::addColumn<bool>("x11");
    QTest::newRow("xcb") << true;
    QTest::newRow("QScreen") << false;
  }
  void readersGiveTheScreensPixels() {
    QFETCH(bool, x11);
    auto reader = x11 ? CreateNativeScreenReader() : CreateQtScreenReader();
    QVERIFY(reader);
    QVERIFY(reader->Unavailable().isEmpty());
    const QPoint origin(300, 200);
    auto window = ShowImage(Pattern({64, 48}), origin);
    QVERIFY(window);

    for (QPoint p : {QPoint(0, 0), QPoint(13, 7), QPoint(63, 47), QPoint(31, 20)}) {
      fakeinput::Move(origin + p);
      const auto pointer = reader->PointerPosition();
      QCOMPARE(pointer, std::optional<QPoint>(origin + p));
      QCOMPARE(reader->ReadPixel(*pointer), std::optional<std::uint32_t>(ValueOf(PatternPixel(p.x(), p.y()))));
    }

    // An area across the window's edge: pattern inside, the desktop outside.
    QImage area;
    QVERIFY(reader->ReadArea(QRect(origin + QPoint(50, 40), QSize(22, 16)), area));
    QCOMPARE(area.size(), QSize(22, 16));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 14; ++x) QCOMPARE(area.pixel(x, y), PatternPixel(50 + x, 40 + y));

    // Off the screen's top-left corner: black there, the screen elsewhere.
    auto corner = ShowColour(QColor(10, 5, 200), QRect(0, 0, 30, 30));
    QVERIFY(corner);
    QVERIFY(reader->ReadArea(QRect(-10, -7, 22, 16), area));
    QCOMPARE(area.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(area.pixel(9, 6), qRgb(0, 0, 0));
    QCOMPARE(area.pixel(10, 7), qRgb(10, 5, 200));
    QCOMPARE(area.pixel(21, 15), qRgb(10, 5, 200));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(!reader->ReadArea(QRect(screen.right() + 5, 0, 4, 4), area));
  }

  void zoomWindowSitsInTheCornerWithoutTakingFocus() {
    auto spy = ShowSpy();
    QVERIFY(spy);
    spy->activateWindow();
    QTRY_VERIFY(spy->isActiveWindow());
    auto reader = CreateScreenReader();
    ZoomWindow zoom(*reader);
    QSignalSpy redrawn(&zoom, &ZoomWindow::redrawn);
    zoom.show();
    QVERIFY(QTest::qWaitForWindowExposed(&zoom));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(zoom.frameGeometry().bottomRight(), screen.bottomRight());
    QCOMPARE(zoom.size(), QSize(221, 156));
    QCOMPARE(zoom.frame().size(), QSize(217, 152));
    QCOMPARE(zoom.objectName(), QString("frmzoom"));
    QVERIFY(zoom.findChild<QWidget*>("picZoom"));
    QVERIFY(zoom.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(zoom.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(zoom.zoomFactor(), 10.0f);
    QTRY_VERIFY(redrawn.count() >= 1);
    QVERIFY(spy->isActiveWindow());
    QVERIFY(QGuiApplication::focusWindow() != zoom.windowHandle());
  }

  void zoomFrameMagnifiesWithGridAndMarker() {
    const QPoint origin(400, 300);
    auto window = ShowImage(Pattern({80, 60}), origin);
    QVERIFY(window);
    const QPoint under(37, 29);  // pattern pixel under the pointer
    fakeinput::Move(origin + under);
    auto reader = CreateScreenReader();
    ZoomWindow zoom(*reader);
    QSignalSpy redrawn(&zoom, &ZoomWindow::redrawn);
    zoom.show();
    QVERIFY(QTest::qWaitForWindowExposed(&zoom));
    QTRY_VERIFY(redrawn.count() >= 1);
    const QImage frame = zoom.frame();

    const QRgb grey = qRgb(0x80, 0x80, 0x80);
    const QRgb silver = qRgb(0xC0, 0xC0, 0xC0);
    auto onGrid = [](int x, int y) { return x % 10 == 0 || y % 10 == 0; };
    auto onMarker = [](int x, int y) {
      const QRect bars[] = {{100, 67, 18, 5}, {100, 67, 5, 18}, {100, 82, 18, 5}, {114, 67, 5, 18}};
      for (const QRect& bar : bars)
        if (bar.contains(x, y)) return true;
      return false;
    };
    // The source starts at the pointer less (10, 7); every pixel is a 10 x 10 block.
    for (int y = 0; y < frame.height(); ++y) {
      for (int x = 0; x < frame.width(); ++x) {
        QRgb expected;
        if (onGrid(x, y) || onMarker(x, y))
          expected = (x + y) % 2 == 0 ? grey : silver;
        else
          expected = PatternPixel(under.x() - 10 + x / 10, under.y() - 7 + y / 10);
        if (frame.pixel(x, y) != expected)
          QFAIL(qPrintable(QString("pixel (%1, %2) is %3, not %4")
                               .arg(x).arg(y).arg(frame.pixel(x, y), 0, 16).arg(expected, 0, 16)));
      }
    }
    QCOMPARE(frame.pixel(0, 0), grey);
    QCOMPARE(frame.pixel(1, 0), silver);
    // The pointer's pixel fills the block from (100, 70) to (109, 79).
    QCOMPARE(frame.pixel(105, 75), PatternPixel(under.x(), under.y()));
    QCOMPARE(frame.pixel(109, 79), PatternPixel(under.x(), under.y()));
    QVERIFY(frame.pixel(111, 75) != PatternPixel(under.x(), under.y()));

    // What is on the screen is that frame.
    QImage shown;
    QVERIFY(reader->ReadArea(QRect(zoom.mapToGlobal(QPoint(2, 2)), frame.size()), shown));
    QCOMPARE(shown, frame);
  }

  void zoomRedrawsOnMovesAndEveryFifthTickAtRest() {
    auto reader = CreateScreenReader();
    ZoomWindow zoom(*reader);
    QTimer* timer = zoom.findChild<QTimer*>("tmrZoom");
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 50);
    QVERIFY(timer->isActive());
    QCOMPARE(zoom.lastX(), -100);
    int ticks = 0;
    QList<int> redrawTicks;
    QList<int> elapsed;
    connect(timer, &QTimer::timeout, this, [&] {
      ++ticks;
      elapsed << zoom.elapsedMs();
    });
    connect(&zoom, &ZoomWindow::redrawn, this, [&] { redrawTicks << ticks + 1; });
    zoom.show();
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 16, 3000);
    // The first tick redraws although the pointer has not moved.
    QCOMPARE(redrawTicks.mid(0, 4), QList<int>({1, 6, 11, 16}));
    QCOMPARE(elapsed.mid(0, 7), QList<int>({0, 50, 100, 150, 200, 0, 50}));

    // A move is drawn at the next tick.
    const int before = ticks;
    fakeinput::Move({200, 200});
    QTRY_VERIFY(ticks > before + 1);
    QVERIFY(redrawTicks.contains(before + 1) || redrawTicks.contains(before + 2));
    QCOMPARE(zoom.lastX(), 200);
    QCOMPARE(zoom.lastY(), 200);

    // Minimised: the ticks do nothing at all.
    zoom.showMinimized();
    QVERIFY(zoom.isMinimized());
    const int frozen = zoom.elapsedMs();
    const int drawn = redrawTicks.size();
    const int from = ticks;
    QTRY_VERIFY(ticks >= from + 7);
    QCOMPARE(redrawTicks.size(), drawn);
    QCOMPARE(zoom.elapsedMs(), frozen);
  }

  void zoomComesBackOnTopOnlyAtRest() {
    auto reader = CreateScreenReader();
    ZoomWindow zoom(*reader);
    zoom.show();
    QVERIFY(QTest::qWaitForWindowExposed(&zoom));
    auto cover = ShowColour(Qt::green, zoom.frameGeometry().adjusted(-5, -5, 0, 0));
    QVERIFY(cover);
    const xcb_window_t zoomId = zoom.winId();
    const xcb_window_t coverId = cover->winId();
    auto zoomAbove = [&] {
      const auto stack = fakeinput::Stacking();
      return std::find(stack.begin(), stack.end(), zoomId) > std::find(stack.begin(), stack.end(), coverId);
    };
    cover->raise();
    fakeinput::Sync();
    QVERIFY(!zoomAbove());
    // While the pointer moves on every tick the window is not restacked.
    QElapsedTimer clock;
    clock.start();
    int step = 0;
    while (clock.elapsed() < 700) {
      fakeinput::Move({300 + (++step % 50), 300});
      QTest::qWait(15);
      QVERIFY(!zoomAbove());
    }
    // At rest it is back on top within 250 ms.
    QTRY_VERIFY_WITH_TIMEOUT(zoomAbove(), 600);
  }

  void spyControlsAndTexts() {
    auto spy = ShowSpy();
    QVERIFY(spy);
    QCOMPARE(spy->objectName(), QString("frmcolorspy"));
    QVERIFY(spy->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(spy->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(spy->findChild<QWidget*>("picColor")->parentWidget()->size(), QSize(239, 58));
    QCOMPARE(Swatch(*spy), QColor(Qt::black));
    QCOMPARE(spy->findChild<QLabel*>("lblHTML")->text(), QString("Hex:"));
    QCOMPARE(spy->findChild<QLabel*>("lblColor")->text(), QString("Color:"));
    QCOMPARE(Text(*spy, "txtHTML"), QString());
    QCOMPARE(Text(*spy, "txtColor"), QString());
    for (const char* name : {"txtred", "txtgreen", "txtblue"}) QCOMPARE(Text(*spy, name), QString("Text1"));
    for (const char* name : {"txtColor", "lblColor", "txtred", "txtgreen", "txtblue"})
      QVERIFY2(!spy->findChild<QWidget*>(name)->isVisible(), name);
    const std::pair<const char*, const char*> tips[] = {
        {"Picture1", "Change Font Color"}, {"Picture2", "Change Backround Color"}, {"Picture3", "Exit"}};
    for (auto [name, tip] : tips) {
      auto* picture = spy->findChild<QAbstractButton*>(name);
      QVERIFY2(picture && picture->isVisible(), name);
      QCOMPARE(picture->toolTip(), QString(tip));
    }
    auto* cursor = spy->findChild<QLabel*>("picCursor");
    QVERIFY(cursor && cursor->isVisible());
    const QImage crossHair = cursor->pixmap().toImage();
    QCOMPARE(crossHair.size(), QSize(15, 15));
    QCOMPARE(qAlpha(crossHair.pixel(0, 0)), 0);    // transparent corner
    QCOMPARE(crossHair.pixel(7, 7), qRgb(0, 0, 0));  // centre dot
    QCOMPARE(qAlpha(crossHair.pixel(6, 6)), 0);      // gap round the dot
    QTimer* timer = spy->findChild<QTimer*>("timSpy");
    QVERIFY(timer && !timer->isActive());
    QCOMPARE(timer->interval(), 1);
  }

  void pickOverThreeWindows_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
  }
  void pickOverThreeWindows() {
    QFETCH(Qt::MouseButton, button);
    const QColor colours[] = {QColor(255, 128, 0), QColor(192, 192, 192), QColor(10, 5, 200)};
    const char* codes[] = {"FF8000", "C0C0C0", "0A05C8"};
    const char* values[] = {"33023", "12632256", "13108490"};
    std::vector<std::unique_ptr<QLabel>> windows;
    for (int i = 0; i < 3; ++i) {
      windows.push_back(ShowColour(colours[i], QRect(400 + 150 * i, 400, 120, 100)));
      QVERIFY(windows.back());
    }
    auto spy = ShowSpy();
    QVERIFY(spy);
    int swatchChanges = 0;
    QWidget* swatch = spy->findChild<QWidget*>("picColor");
    swatch->installEventFilter(this);
    connect(this, &ColorToolsTest::paletteChanged, spy.get(), [&](QObject* target) { swatchChanges += target == swatch; });

    fakeinput::Move(CrossHairCentre(*spy));
    fakeinput::Button(XButton(button), true);
    QTRY_VERIFY(spy->picking());
    QWidget* zoom = FindTopLevel("frmzoom");
    QVERIFY(zoom);
    QTRY_VERIFY(zoom->isVisible());
    QVERIFY(!spy->findChild<QWidget*>("picCursor")->isVisible());
    QVERIFY(spy->findChild<QTimer*>("timSpy")->isActive());
    QCOMPARE(spy->cursor().shape(), Qt::BitmapCursor);

    for (int i = 0; i < 3; ++i) {
      const int changesBefore = swatchChanges;
      fakeinput::Move(QPoint(450 + 150 * i, 440));
      QTRY_COMPARE(Text(*spy, "txtHTML"), QString(codes[i]));
      QCOMPARE(Text(*spy, "txtColor"), QString(values[i]));
      QCOMPARE(Swatch(*spy), colours[i]);
      QCOMPARE(Text(*spy, "txtred"), QString::number(colours[i].red()));
      QCOMPARE(Text(*spy, "txtgreen"), QString::number(colours[i].green()));
      QCOMPARE(Text(*spy, "txtblue"), QString::number(colours[i].blue()));
      // Many ticks over one colour: the swatch was set once.
      QTest::qWait(60);
      QCOMPARE(swatchChanges, changesBefore + 1);
      QCOMPARE(Text(*spy, "txtHTML"), QString(codes[i]));
      QVERIFY(FindTopLevel("frmzoom"));
    }
    // Pressing and releasing another button does not end the gesture.
    const int other = XButton(button) == 1 ? 3 : 1;
    fakeinput::Button(other, true);
    fakeinput::Button(other, false);
    QTest::qWait(30);
    QVERIFY(spy->picking());

    fakeinput::Button(XButton(button), false);
    QTRY_VERIFY(!spy->picking());
    QVERIFY(!FindTopLevel("frmzoom"));
    QVERIFY(!spy->findChild<QTimer*>("timSpy")->isActive());
    QVERIFY(spy->findChild<QWidget*>("picCursor")->isVisible());
    QCOMPARE(spy->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("0A05C8"));
    QCOMPARE(spy->pos(), QPoint(40, 40));  // a left-button pick does not drag
    QVERIFY(QWidget::mouseGrabber() == nullptr);
  }

  void pressAndReleaseWithoutATick() {
    auto colour = ShowColour(Qt::white, QRect(0, 0, 200, 200));
    QVERIFY(colour);
    auto spy = ShowSpy();
    QVERIFY(spy);
    spy->findChild<QLineEdit*>("txtHTML")->setText("ABC123");
    QGuiApplication::clipboard()->setText("before");
    fakeinput::Move(CrossHairCentre(*spy));
    fakeinput::SendButton(1, true);
    fakeinput::SendButton(1, false);
    fakeinput::Sync();
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString("ABC123"));
    QVERIFY(!spy->picking());
    QCOMPARE(Text(*spy, "txtColor"), QString());
    QCOMPARE(Text(*spy, "txtred"), QString("Text1"));
    QCOMPARE(Swatch(*spy), QColor(Qt::black));
    QVERIFY(!FindTopLevel("frmzoom"));
  }

  void failedReadsChangeNothing() {
    auto scripted = std::make_unique<ScriptedReader>();
    ScriptedReader* reader = scripted.get();
    reader->pixels = {ColourValue(255, 128, 0), std::nullopt};
    auto spy = ShowSpy(std::move(scripted));
    QVERIFY(spy);
    fakeinput::Move(CrossHairCentre(*spy));
    fakeinput::Button(3, true);
    QTRY_VERIFY(spy->picking());
    QTRY_VERIFY(reader->reads >= 10);
    QCOMPARE(Text(*spy, "txtHTML"), QString("FF8000"));
    QCOMPARE(Text(*spy, "txtColor"), QString("33023"));
    QCOMPARE(Swatch(*spy), QColor(255, 128, 0));
    QVERIFY(spy->picking());
    fakeinput::Button(3, false);
    QTRY_VERIFY(!spy->picking());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("FF8000"));
  }

  void unreadableScreenIsExplained() {
    auto scripted = std::make_unique<ScriptedReader>();
    scripted->unavailable = "This desktop does not let programs read the screen.";
    auto spy = ShowSpy(std::move(scripted));
    QVERIFY(spy);
    QString title, text;
    QTimer::singleShot(300, this, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        title = box->windowTitle();
        text = box->text();
        box->accept();
      }
    });
    fakeinput::Move(CrossHairCentre(*spy));
    fakeinput::Button(1, true);
    fakeinput::Button(1, false);
    QTRY_COMPARE(title, QString("Huevox"));
    QCOMPARE(text, QString("This desktop does not let programs read the screen."));
    QVERIFY(!spy->picking());
    QVERIFY(!FindTopLevel("frmzoom"));
    QVERIFY(spy->findChild<QWidget*>("picCursor")->isVisible());
  }

  void draggingByTheBackground_data() {
    QTest::addColumn<QList<int>>("buttons");
    QTest::addColumn<QPoint>("grab");  // in the window
    QTest::addColumn<bool>("moves");
    QTest::newRow("left on the background") << QList<int>{1} << QPoint(5, 50) << true;
    QTest::newRow("right on the background") << QList<int>{3} << QPoint(5, 50) << false;
    QTest::newRow("left and right") << QList<int>{1, 3} << QPoint(5, 50) << false;
    QTest::newRow("left on the swatch") << QList<int>{1} << QPoint(20, 20) << false;
    QTest::newRow("left on the hex box") << QList<int>{1} << QPoint(150, 15) << false;
  }
  void draggingByTheBackground() {
    QFETCH(QList<int>, buttons);
    QFETCH(QPoint, grab);
    QFETCH(bool, moves);
    auto spy = ShowSpy();
    QVERIFY(spy);
    const QPoint start = spy->pos();
    const QPoint at = spy->mapToGlobal(grab);
    fakeinput::Move(at);
    for (int button : buttons) fakeinput::Button(button, true);
    for (int step = 1; step <= 5; ++step) {
      fakeinput::Move(at + QPoint(step * 12, step * 7));
      QTest::qWait(20);
    }
    for (int button : buttons) fakeinput::Button(button, false);
    QTest::qWait(50);
    if (moves) {
      QTRY_COMPARE(spy->pos(), start + QPoint(60, 35));
      QCOMPARE(spy->mapToGlobal(grab), at + QPoint(60, 35));  // the grabbed point kept under the pointer
    } else {
      QCOMPARE(spy->pos(), start);
    }
    QVERIFY(!spy->picking());
  }

  void mainWindowOpensTheSpyAndTakesItsColours() {
    QTemporaryDir presets;
    MainWindow main(presets.path());
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    auto colour = ShowColour(QColor(255, 128, 0), QRect(600, 600, 100, 100));
    QVERIFY(colour);
    QVERIFY(!FindTopLevel("frmcolorspy"));
    main.pictureButton(12)->click();
    auto* spy = qobject_cast<ColorSpyWindow*>(FindTopLevel("frmcolorspy"));
    QVERIFY(spy);
    QVERIFY(QTest::qWaitForWindowExposed(spy));
    QVERIFY(!spy->parentWidget());

    // Nothing read yet: the boxes keep their codes and colours.
    const QColor fontText = main.fontColorEdit()->palette().color(QPalette::Text);
    spy->findChild<QAbstractButton*>("Picture1")->click();
    spy->findChild<QAbstractButton*>("Picture2")->click();
    QCOMPARE(main.fontColorEdit()->text(), QString("000000"));
    QCOMPARE(main.backgroundColorEdit()->text(), QString("FFFFFF"));
    QCOMPARE(main.fontColorEdit()->palette().color(QPalette::Text), fontText);

    fakeinput::Move(CrossHairCentre(*spy));
    fakeinput::Button(1, true);
    QTRY_VERIFY(spy->picking());
    fakeinput::Move({650, 650});
    QTRY_COMPARE(Text(*spy, "txtHTML"), QString("FF8000"));
    fakeinput::Button(1, false);
    QTRY_VERIFY(!spy->picking());
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("FF8000"));

    QTest::mouseClick(spy->findChild<QAbstractButton*>("Picture1"), Qt::LeftButton);
    QCOMPARE(main.fontColorEdit()->text(), QString("FF8000"));
    QCOMPARE(main.fontColorEdit()->palette().color(QPalette::Text), QColor(255, 128, 0));
    QCOMPARE(main.backgroundColorEdit()->text(), QString("FFFFFF"));
    QTest::mouseClick(spy->findChild<QAbstractButton*>("Picture2"), Qt::LeftButton);
    QCOMPARE(main.backgroundColorEdit()->text(), QString("FF8000"));
    QCOMPARE(main.backgroundColorEdit()->palette().color(QPalette::Text), QColor(255, 128, 0));

    // Hidden and opened again: the same window, where it was, with its colour.
    spy->move(100, 120);
    QTest::mouseClick(spy->findChild<QAbstractButton*>("Picture3"), Qt::LeftButton);
    QVERIFY(!spy->isVisible());
    main.pictureButton(12)->click();
    QCOMPARE(FindTopLevel("frmcolorspy"), spy);
    QVERIFY(spy->isVisible());
    QCOMPARE(spy->pos(), QPoint(100, 120));
    QCOMPARE(Text(*spy, "txtHTML"), QString("FF8000"));
  }

 signals:
  void paletteChanged(QObject* target);

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::PaletteChange) emit paletteChanged(target);
    return false;
  }
};

QTEST_MAIN(ColorToolsTest)
#include "tst_colortools.moc"
