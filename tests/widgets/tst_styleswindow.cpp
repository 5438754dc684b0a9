// The Styles window: the group rule of its boxes, the codes read from them and
// shown in them, its tab order, and putting it away.
#include <QCheckBox>
#include <QTest>
#include <QToolButton>

#include "app/mainwindow.h"
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
  void clicksAndShownCodesKeepOneBoxAtMost_data() {
    QTest::addColumn<QStringList>("steps");  // "N" clicks box N, "=N" shows code N as a loaded preset
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("code");
    QTest::newRow("none") << QStringList{} << "" << 0;
    QTest::newRow("Style 2 then Style 5") << QStringList{"2", "5"} << "5" << 5;
    QTest::newRow("click the checked box") << QStringList{"3", "3"} << "" << 0;
    QTest::newRow("Style 6 is code 7") << QStringList{"6"} << "6" << 7;
    QTest::newRow("Style 7 is code 0") << QStringList{"1", "7"} << "7" << 0;
    QTest::newRow("code 3 shown over Style 1") << QStringList{"1", "=3"} << "3" << 3;
    QTest::newRow("code 7 shows Style 6") << QStringList{"=7"} << "6" << 7;
    QTest::newRow("code 6 has no box") << QStringList{"4", "=6"} << "4" << 4;
    QTest::newRow("code 0 shows Style 7") << QStringList{"2", "=0"} << "7" << 0;
  }
  void clicksAndShownCodesKeepOneBoxAtMost() {
    QFETCH(QStringList, steps);
    QFETCH(QString, checked);
    QFETCH(int, code);
    StylesWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (const QString& step : steps) {
      if (step.startsWith('=')) w.showStyleCode(step.mid(1).toInt());
      else QTest::mouseClick(w.styleBox(step.toInt()), Qt::LeftButton);
    }
    QCOMPARE(CheckedBoxes(w), checked);
    QCOMPARE(w.styleCode(), code);
  }

  void tabGoesThroughSixBoxesThenTheButtonThenTheLast() {
    StylesWindow w;
    QStringList order;
    for (QWidget* at = w.styleBox(1); order.size() < 8; at = at->nextInFocusChain())
      if (at->focusPolicy() & Qt::TabFocus) order << at->objectName();
    QCOMPARE(order, QStringList({"Check1", "Check2", "Check3", "Check4", "Check5", "Check6",
                                 "Picture4", "Check7"}));
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
    QCOMPARE(main.currentSetting().style, 4);
  }
};

QTEST_MAIN(StylesWindowTest)
#include "tst_styleswindow.moc"
