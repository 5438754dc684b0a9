// The main and the Styles window against the X server: the presets list, the
// style boxes, dragging with real pointer events, the presets panel and exit.
#include <QCheckBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "colortools/colorspyopener.h"
#include "colortools/colorspywindow.h"
#include "styles/styleswindow.h"
#include "fakeinput.h"

using huevox::MainWindow;

static const QString kNoFolder = QDir::tempPath() + "/huevox-none";

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void startUpListsPresetsAndClicksSelectTheirFiles() {
    QTemporaryDir dir;
    for (const char* name : {"old.ini.ini", "b.ini", "Blue.INI", "a.ini.b.ini", "notes.txt", ".hidden.ini"})
      QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    QVERIFY(QDir(dir.path()).mkdir("folder.ini"));
    huevox::Startup startup(dir.path(), dir.filePath("no-tune.wma"));
    startup.start();
    MainWindow* w = startup.mainWindow();
    QVERIFY(!w->isVisible());  // until the splash is dismissed
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    QStringList shown;
    for (int i = 0; i < w->presetList()->count(); ++i) shown << w->presetList()->item(i)->text();
    QCOMPARE(shown, QStringList({"a.b", "b", "Blue", "old"}));
    QCOMPARE(w->selectedPresetPath(), dir.filePath("a.ini.b.ini"));
    // Load and preview act on the file of the entry clicked.
    w->togglePresetsPanel();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QListWidget* list = w->presetList();
    fakeinput::Click(list->viewport()->mapToGlobal(list->visualItemRect(list->item(3)).center()));
    QTRY_COMPARE(w->selectedPresetPath(), dir.filePath("old.ini.ini"));
  }

  void presetsPanelSwitch() {
    MainWindow w(kNoFolder);
    // Exactly compact expands; expanded, or any other height, returns to compact.
    for (auto [heightPx, expectedTwips] : {std::pair{189, 4545}, {303, 2835}, {188, 2835}}) {
      w.resize(w.width(), heightPx);
      w.pictureButton(7)->click();
      QCOMPARE(w.heightTwips(), expectedTwips);
    }
  }

  // Uneven steps, an odd number of them: a press or move handled twice, or
  // in the wrong coordinates, leaves the window off its place.
  void dragOnlyFromDragAreas_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QPoint>("grab");  // in the area
    QTest::addColumn<QList<int>>("buttons");
    QTest::addColumn<bool>("moves");
    QTest::newRow("title strip") << "Form1" << "Label9" << QPoint(60, 8) << QList<int>{1} << true;
    QTest::newRow("background") << "Form1" << "clientArea" << QPoint(104, 30) << QList<int>{1} << true;
    QTest::newRow("title text") << "Form1" << "Label6" << QPoint(12, 8) << QList<int>{1} << false;
    QTest::newRow("minimise mark") << "Form1" << "Label7" << QPoint(4, 8) << QList<int>{1} << false;
    QTest::newRow("exit mark") << "Form1" << "Label8" << QPoint(10, 8) << QList<int>{1} << false;
    QTest::newRow("heading") << "Form1" << "Label1" << QPoint(10, 8) << QList<int>{1} << false;
    QTest::newRow("Options frame") << "Form1" << "Frame1" << QPoint(4, 50) << QList<int>{1} << false;
    QTest::newRow("Save slid off") << "Form1" << "Picture4" << QPoint(16, 16) << QList<int>{1} << false;
    QTest::newRow("right button") << "Form1" << "Label9" << QPoint(60, 8) << QList<int>{3} << false;
    QTest::newRow("left and right") << "Form1" << "Label9" << QPoint(60, 8) << QList<int>{1, 3} << false;
    QTest::newRow("Styles background") << "Form2" << "clientArea" << QPoint(104, 60) << QList<int>{1} << true;
    QTest::newRow("Styles right button") << "Form2" << "clientArea" << QPoint(104, 60) << QList<int>{3} << false;
    QTest::newRow("style box slid off") << "Form2" << "Check1" << QPoint(60, 12) << QList<int>{1} << false;
    QTest::newRow("put-away slid off") << "Form2" << "Picture4" << QPoint(16, 16) << QList<int>{1} << false;
  }
  void dragOnlyFromDragAreas() {
    QFETCH(QString, form);
    QFETCH(QString, area);
    QFETCH(QPoint, grab);
    QFETCH(QList<int>, buttons);
    QFETCH(bool, moves);
    MainWindow main(kNoFolder);
    QWidget* w = form == "Form1" ? static_cast<QWidget*>(&main) : main.stylesWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QWidget* target = w->findChild<QWidget*>(area);
    QVERIFY(target);
    const QPoint start = w->pos();
    QPoint at = target->mapToGlobal(grab);
    fakeinput::Move(at, 30);
    for (int b : buttons) fakeinput::Button(b, true, 30);
    for (QPoint step : {QPoint(4, 2), QPoint(9, -1), QPoint(5, 7), QPoint(11, 4), QPoint(4, 3)})
      fakeinput::Move(at += step, 30);
    for (int b : buttons) fakeinput::Button(b, false, 30);
    QTest::qWait(50);
    QTRY_COMPARE(w->pos() - start, moves ? QPoint(33, 15) : QPoint(0, 0));
    // A release off a mark or button does not click it.
    QVERIFY(w->isVisible() && !w->isMinimized());
    if (form == "Form2" && area == "clientArea")  // any press there keeps it on top
      QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
  }

  void styleBoxesKeepOneCheckedAtMost_data() {
    QTest::addColumn<QStringList>("steps");  // "N" clicks box N, "=N" shows code N as a loaded preset
    QTest::addColumn<int>("code");
    QTest::newRow("Style 2 then Style 5") << QStringList{"2", "5"} << 5;
    QTest::newRow("click the checked box") << QStringList{"3", "3"} << 0;
    QTest::newRow("Style 7 is code 0") << QStringList{"1", "7"} << 0;
    QTest::newRow("code 3 shown over Style 1") << QStringList{"1", "=3"} << 3;
    QTest::newRow("code 7 shows Style 6") << QStringList{"=7"} << 7;
    QTest::newRow("code 6 has no box") << QStringList{"4", "=6"} << 4;
  }
  void styleBoxesKeepOneCheckedAtMost() {
    QFETCH(QStringList, steps);
    QFETCH(int, code);
    MainWindow main(kNoFolder);
    main.pictureButton(9)->click();
    huevox::StylesWindow* w = main.stylesWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    for (const QString& step : steps) {
      if (step.startsWith('=')) w->showStyleCode(step.mid(1).toInt());
      else QTest::mouseClick(w->styleBox(step.toInt()), Qt::LeftButton);
    }
    QCOMPARE(main.currentSetting().style, code);  // also off when two boxes stay checked
    // Put away and opened again, it keeps its boxes.
    w->findChild<QToolButton*>("Picture4")->click();
    QVERIFY(!w->isVisible());
    main.pictureButton(9)->click();
    QVERIFY(w->isVisible() && main.stylesWindow() == w);
    QCOMPARE(main.currentSetting().style, code);
  }

  // The main and Color spy windows stay on top: each opens on the screen clear of the others, the
  // main window in a corner, and again when left under it.
  void opensItsWindowsClearOfTheOthers() {
    MainWindow main(kNoFolder);
    const QRect area = main.screen()->availableGeometry();
    main.move(area.bottomRight() - main.rect().bottomRight());
    main.show();
    for (int round = 0; round < 2; ++round) {
      main.pictureButton(9)->click();
      main.pictureButton(12)->click();
      const QList<QWidget*> shown{&main, main.stylesWindow(),
                                  main.findChild<huevox::ColorSpyOpener*>()->window()};
      for (QWidget* w : shown) QVERIFY(QTest::qWaitForWindowExposed(w) && area.contains(w->frameGeometry()));
      for (int i = 0; i < 3; ++i)
        QTRY_VERIFY(!shown[i]->frameGeometry().intersects(shown[(i + 1) % 3]->frameGeometry()));
      for (QWidget* w : shown.mid(1)) { w->move(main.pos()); w->hide(); }
    }
  }

  void marksMinimiseAndExit() {
    MainWindow w(kNoFolder);
    w.show();
    w.openStylesWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fakeinput::Click(w.findChild<QWidget*>("Label7")->mapToGlobal(QPoint(3, 8)));
    QTRY_VERIFY(w.isMinimized());
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy ending(&w, &MainWindow::exitRequested);
    fakeinput::Click(w.findChild<QWidget*>("Label8")->mapToGlobal(QPoint(10, 8)));
    QTRY_COMPARE(ending.count(), 1);
    QVERIFY(!w.isVisible() && !w.hasStylesWindow());
    // Closing it from outside ends the program just the same.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.close();
    QCOMPARE(ending.count(), 2);
  }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
