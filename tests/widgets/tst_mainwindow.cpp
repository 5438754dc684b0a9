// The main window against the X server: start-up, the presets list, dragging
// with real pointer events, the presets panel and exit.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "app/windowdrag.h"
#include "pointer.h"
#include "styles/styleswindow.h"

using huevox::MainWindow;

class MainWindowTest : public QObject {
  Q_OBJECT
 private:
  static void touch(const QTemporaryDir& dir, const QString& name) {
    QFile f(dir.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
  }

 private slots:
  void startUpListsPresetsInFileOrder() {
    QTemporaryDir dir;
    for (const char* name : {"old.ini.ini", "b.ini", "Blue.INI", "a.ini.b.ini", "notes.txt",
                             ".hidden.ini"})
      touch(dir, name);
    QVERIFY(QDir(dir.path()).mkdir("folder.ini"));

    huevox::Startup startup(dir.path(), dir.filePath("no-tune.wma"));
    startup.start();
    MainWindow* w = startup.mainWindow();

    QCOMPARE(w->presetFiles(), QStringList({"a.ini.b.ini", "b.ini", "Blue.INI", "old.ini.ini"}));
    QStringList shown;
    for (int i = 0; i < w->presetList()->count(); ++i) shown << w->presetList()->item(i)->text();
    QCOMPARE(shown, QStringList({"a.b", "b", "Blue", "old"}));
    QCOMPARE(w->presetList()->currentRow(), 0);
    QCOMPARE(w->selectedPresetPath(), dir.filePath("a.ini.b.ini"));

    // Hidden and on top until the splash is dismissed; the splash waits for its first tick.
    QVERIFY(!w->isVisible());
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    huevox::SplashWindow* splash = startup.splash();
    QVERIFY(!splash->isVisible());
    QVERIFY(splash->fadeInTimer()->isActive());
    QCOMPARE(splash->fadeInTimer()->interval(), 1000);
    QVERIFY(!splash->fadeOutTimer()->isActive());
    QCOMPARE(splash->fadeLevel(), 0);
  }

  void clickingAPresetSelectsItsFile() {
    QTemporaryDir dir;
    for (const char* name : {"Autumn.ini", "Spring.ini", "Winter.ini"}) touch(dir, name);
    MainWindow w(dir.path());
    w.refreshPresetList();
    w.togglePresetsPanel();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QListWidget* list = w.presetList();
    const QRect item = list->visualItemRect(list->item(2));
    pointer::click(list->viewport()->mapToGlobal(item.center()));
    QTRY_COMPARE(w.selectedPresetPath(), dir.filePath("Winter.ini"));
  }

  void missingOrEmptyFolderSelectsNothing() {
    QTemporaryDir dir;
    for (const QString& folder : {dir.filePath("missing"), dir.path()}) {
      MainWindow w(folder);
      w.refreshPresetList();
      QCOMPARE(w.presetList()->count(), 0);
      QCOMPARE(w.selectedPresetPath(), QString());
    }
  }

  void startingValues() {
    MainWindow w(QDir::tempPath() + "/huevox-none");
    QCOMPARE(w.fontColorEdit()->text(), QString("000000"));
    QCOMPARE(w.backgroundColorEdit()->text(), QString("FFFFFF"));
    QCOMPARE(w.fontFaceEdit()->text(), QString("Tahoma"));
    QCOMPARE(w.fontSizeEdit()->text(), QString("8"));
    QCOMPARE(w.heightTwips(), MainWindow::kCompactHeightTwips);
    // The colour boxes hold six characters, also when the program sets them.
    w.fontColorEdit()->setText("#FF0000");
    QCOMPARE(w.fontColorEdit()->text(), QString("#FF000"));
    for (int n : {1, 3, 4, 5, 6, 7, 9, 10, 11, 12}) {
      QToolButton* b = w.pictureButton(n);
      QVERIFY2(b, qPrintable(QString::number(n)));
      QVERIFY(!b->accessibleName().isEmpty());
      if (!b->toolTip().isEmpty()) QCOMPARE(b->accessibleName(), b->toolTip());
    }
    QCOMPARE(w.pictureButton(6)->toolTip(), QString("Update Aim"));
    QCOMPARE(w.findChild<QLabel*>("Label6")->text(),
             QString(" -               Huevox by Pelmo                x"));
  }

  void presetsPanelSwitch_data() {
    QTest::addColumn<int>("heightPx");
    QTest::addColumn<int>("expectedTwips");
    QTest::newRow("compact expands") << 189 << 4545;
    QTest::newRow("expanded returns") << 303 << 2835;
    QTest::newRow("any other height returns") << 188 << 2835;
  }
  void presetsPanelSwitch() {
    QFETCH(int, heightPx);
    QFETCH(int, expectedTwips);
    MainWindow w(QDir::tempPath() + "/huevox-none");
    w.resize(w.width(), heightPx);
    w.pictureButton(7)->click();
    QCOMPARE(w.heightTwips(), expectedTwips);
  }

  void dragMovesByThePointersTravel_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<QList<int>>("buttons");
    QTest::addColumn<QPoint>("expectedShift");
    // 20 x 10 pixels are 300 x 150 twips.
    QTest::newRow("title strip, left") << "Label9" << QList<int>{1} << QPoint(20, 10);
    QTest::newRow("background, left") << "clientArea" << QList<int>{1} << QPoint(20, 10);
    QTest::newRow("right button") << "Label9" << QList<int>{3} << QPoint(0, 0);
    QTest::newRow("left and right") << "Label9" << QList<int>{1, 3} << QPoint(0, 0);
  }
  void dragMovesByThePointersTravel() {
    QFETCH(QString, area);
    QFETCH(QList<int>, buttons);
    QFETCH(QPoint, expectedShift);
    MainWindow w(QDir::tempPath() + "/huevox-none");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget* target = w.findChild<QWidget*>(area);
    QVERIFY(target);
    const QPoint start = w.pos();
    const QPoint grab = area == "Label9" ? QPoint(60, 8) : QPoint(104, 30);
    pointer::moveTo(target->mapToGlobal(grab));
    for (int b : buttons) pointer::press(b);
    pointer::moveTo(target->mapToGlobal(grab) + QPoint(10, 5));
    pointer::moveTo(target->mapToGlobal(grab) + QPoint(20, 10) - (w.pos() - start));
    for (int b : buttons) pointer::release(b);
    QTRY_COMPARE(w.pos() - start, expectedShift);
  }

  void dragStartYIsRoundedHalfToEven() {
    MainWindow w(QDir::tempPath() + "/huevox-none");
    QWidget* area = w.clientArea();
    const auto press = [&](QPointF at) {
      QMouseEvent e(QEvent::MouseButtonPress, at, area->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(area, &e);
    };
    press(QPointF(1.1, 2.1));  // 31.5 twips -> 32, X kept exactly
    QCOMPARE(w.dragger()->DragStartX, 16.5);
    QCOMPARE(w.dragger()->DragStartY, 32.0);
    press(QPointF(1.0, 2.7));  // 40.5 twips -> 40
    QCOMPARE(w.dragger()->DragStartY, 40.0);
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(9, 9), QPointF(9, 9), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area, &right);
    QCOMPARE(w.dragger()->DragStartX, 15.0);  // a right press changes nothing
  }

  void stylesButtonOpensTheStylesWindowModeless() {
    MainWindow w(QDir::tempPath() + "/huevox-none");
    w.show();
    w.pictureButton(9)->click();
    huevox::StylesWindow* styles = w.stylesWindow();
    QVERIFY(QTest::qWaitForWindowExposed(styles));
    QVERIFY(!styles->isModal());
    QVERIFY(!styles->parentWidget());
    QVERIFY(w.isEnabled());
  }

  void exitHidesEverythingAndAsksToEnd() {
    MainWindow w(QDir::tempPath() + "/huevox-none");
    w.show();
    w.openStylesWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy ending(&w, &MainWindow::exitRequested);
    pointer::click(w.findChild<QWidget*>("Label8")->mapToGlobal(QPoint(10, 8)));
    QTRY_COMPARE(ending.count(), 1);
    QVERIFY(!w.isVisible());
    QVERIFY(!w.hasStylesWindow());

    // Closing it from outside ends the program just the same.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.close();
    QCOMPARE(ending.count(), 2);
  }

  void minimiseMark() {
    MainWindow w(QDir::tempPath() + "/huevox-none");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    pointer::click(w.findChild<QWidget*>("Label7")->mapToGlobal(QPoint(3, 8)));
    QTRY_VERIFY(w.isMinimized());
  }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
