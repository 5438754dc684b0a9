// The Styles window: the group rule of its boxes, the style codes read from
// them, its tab order, dragging with real pointer events, and putting it away.
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "app/mainwindow.h"
#include "pointer.h"
#include "styles/styleswindow.h"

using huevox::StylesWindow;

namespace {
QString CheckedBoxes(const StylesWindow& w) {
  QString s;
  for (int box = 1; box <= huevox::kStyleBoxCount; ++box)
    if (w.styleBox(box)->isChecked()) s += QString::number(box);
  return s;
}
}  // namespace

class StylesWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void clicksKeepOneBoxAtMost_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("code");
    QTest::newRow("none") << QList<int>{} << "" << 0;
    QTest::newRow("Style 2 then Style 5") << QList<int>{2, 5} << "5" << 5;
    QTest::newRow("click the checked box") << QList<int>{3, 3} << "" << 0;
    QTest::newRow("Style 6 is code 7") << QList<int>{6} << "6" << 7;
    QTest::newRow("Style 7 is code 0") << QList<int>{1, 7} << "7" << 0;
    QTest::newRow("Style 3 after Style 4") << QList<int>{4, 3} << "3" << 3;
  }
  void clicksKeepOneBoxAtMost() {
    QFETCH(QList<int>, clicks);
    QFETCH(QString, checked);
    QFETCH(int, code);
    StylesWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (int box : clicks) QTest::mouseClick(w.styleBox(box), Qt::LeftButton);
    QCOMPARE(CheckedBoxes(w), checked);
    QCOMPARE(w.styleCode(), code);
  }

  void clearedBoxesRunNoHandlingOfTheirOwn() {
    StylesWindow w;
    w.styleBox(2)->click();
    QSignalSpy clearedClick(w.styleBox(2), &QCheckBox::clicked);
    w.styleBox(5)->click();
    QCOMPARE(CheckedBoxes(w), QString("5"));
    QCOMPARE(clearedClick.count(), 0);
  }

  void showingACodeChecksItsBox() {
    StylesWindow w;
    w.styleBox(1)->click();
    w.showStyleCode(3);
    QCOMPARE(CheckedBoxes(w), QString("3"));
    w.showStyleCode(7);
    QCOMPARE(CheckedBoxes(w), QString("6"));
    w.showStyleCode(6);  // no box for bold italic: nothing changes
    QCOMPARE(CheckedBoxes(w), QString("6"));
    w.showStyleCode(0);
    QCOMPARE(CheckedBoxes(w), QString("7"));
  }

  void captionsAreDrawnInTheirStyles() {
    StylesWindow w;
    const struct { int box; bool underline, bold, italic; } looks[] = {
        {1, true, false, false}, {2, false, true, false}, {3, true, true, false},
        {4, false, false, true}, {5, true, false, true},  {6, true, true, true},
        {7, false, false, false}};
    for (const auto& l : looks) {
      const QFont f = w.styleBox(l.box)->font();
      QCOMPARE(w.styleBox(l.box)->text(), QString("Style %1").arg(l.box));
      QCOMPARE(f.underline(), l.underline);
      QCOMPARE(f.bold(), l.bold);
      QCOMPARE(f.italic(), l.italic);
    }
  }

  void tabGoesThroughSixBoxesThenTheButtonThenTheLast() {
    StylesWindow w;
    QStringList order;
    QWidget* at = w.styleBox(1);
    do {
      if (at->focusPolicy() & Qt::TabFocus) order << at->objectName();
      at = at->nextInFocusChain();
    } while (at != w.styleBox(1) && order.size() < 20);
    QCOMPARE(order, QStringList({"Check1", "Check2", "Check3", "Check4", "Check5", "Check6",
                                 "Picture4", "Check7"}));
  }

  void dragsWithTheLeftButtonAloneAndStaysOnTop() {
    StylesWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget* background = w.clientArea();
    const QPoint grab = background->mapToGlobal(QPoint(100, 105));

    // Any press keeps the window on top, even one that does not drag.
    QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
    QPoint start = w.pos();
    pointer::moveTo(grab);
    pointer::press(3);
    pointer::moveTo(grab + QPoint(20, 0));
    pointer::release(3);
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(w.pos(), start);

    pointer::moveTo(grab);
    pointer::press(1);
    pointer::moveTo(grab + QPoint(20, 0));
    pointer::release(1);
    QTRY_COMPARE(w.pos() - start, QPoint(20, 0));  // 300 twips
  }

  void putAwayAndOpenAgainKeepsTheBoxes() {
    huevox::MainWindow main(QDir::tempPath() + "/huevox-none");
    main.pictureButton(9)->click();
    StylesWindow* w = main.stylesWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->styleBox(4)->click();
    w->findChild<QToolButton*>("Picture4")->click();
    QVERIFY(!w->isVisible());
    main.pictureButton(9)->click();
    QVERIFY(w->isVisible());
    QCOMPARE(main.stylesWindow(), w);
    QCOMPARE(CheckedBoxes(*w), QString("4"));
    QCOMPARE(main.currentSetting().style, 4);
  }
};

QTEST_MAIN(StylesWindowTest)
#include "tst_styleswindow.moc"
