// The main and the Styles window against the X server: the presets list,
// loading and saving presets with real files, the colour dialog, the style
// boxes, dragging with real pointer events, the presets panel and the marks;
// and the real program's command line (tst_output starts it as a newcomer does).
#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <fstream>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "platform/windowfont.h"
#include "colortools/colorspyopener.h"
#include "colortools/colorspywindow.h"
#include "styles/styleswindow.h"
#include "fakeinput.h"
#include "modal.h"

using huevox::MainWindow;

static const QString kNoFolder = QDir::tempPath() + "/huevox-none";

struct SaveCase {
  QString name, folder, message;  // a null name cancels the prompt
  QMessageBox::Icon icon;
  QByteArray written;  // Winter.ini afterwards
};
struct LoadCase {
  QByteArray file, bytes;  // no bytes: the file goes before the load; "/": a folder takes its place
  QString shown, message;
};
struct DragCase {
  QString form, area;
  QPoint grab;  // in the area
  QList<int> buttons;
  bool moves;
};
Q_DECLARE_METATYPE(SaveCase)
Q_DECLARE_METATYPE(LoadCase)
Q_DECLARE_METATYPE(DragCase)

namespace {

// The presets list, the five values of the current setting and the colours the two codes are drawn in.
QString Shown(MainWindow& w) {
  QStringList shown;
  for (const QListWidgetItem* item : w.presetList()->findItems("*", Qt::MatchWildcard)) shown << item->text();
  return shown.join(',') + " " + QStringList{w.fontColorEdit()->text(), w.backgroundColorEdit()->text(),
      w.fontFaceEdit()->text(), w.fontSizeEdit()->text(), QString::number(w.currentSetting().style),
      w.fontColorEdit()->palette().color(QPalette::Text).name(),
      w.backgroundColorEdit()->palette().color(QPalette::Text).name()}.join('|');
}

// The ink of a style box's caption drawn at `scale`, black on white, leaving
// out the rows inked across most of its width: an underline.
double CaptionInk(QCheckBox* box, qreal scale) {
  QImage image(box->size() * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  box->render(&image, {}, {}, QWidget::DrawChildren);
  QStyleOptionButton option;
  option.initFrom(box);
  const QRect caption = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
  const int left = int(caption.left() * scale), right = int((caption.right() + 1) * scale);
  double ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    int dark = 0, first = right, last = left;
    double row = 0;
    for (int x = left; x < right; ++x) {
      const int level = 255 - qGray(image.pixel(x, y));
      row += level;
      if (level > 127) { ++dark; first = std::min(first, x); last = x; }
    }
    if (dark < 10 || dark < (last - first) * 3 / 4) ink += row;
  }
  return ink;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { huevox::platform::LoadWindowFont(); }  // as the program starts

  // The start-up's list, the presets panel, a click on an entry, the
  // minimise mark and a close from outside (the exit mark's click ends the
  // real program, below).
  void startUpPanelListMarksAndClose() {
    QTemporaryDir dir;
    for (const char* name : {"old.ini.ini", "b.ini", "Blue.INI", "a.ini.b.ini", "notes.txt", ".hidden.ini"})
      QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    QVERIFY(QDir(dir.path()).mkdir("folder.ini"));
    huevox::Startup startup(dir.path(), dir.filePath("no-tune.wma"));
    startup.start();
    MainWindow* w = startup.mainWindow();
    QVERIFY(!w->isVisible());  // until the splash is dismissed
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(Shown(*w), QString("a.b,b,Blue,old 000000|FFFFFF|Tahoma|8|0|#000000|#000000"));
    QCOMPARE(w->selectedPresetPath(), dir.filePath("a.ini.b.ini"));
    // Exactly compact expands; expanded, or any other height, returns to compact.
    for (auto [heightPx, expectedTwips] : {std::pair{303, 2835}, {188, 2835}, {189, 4545}}) {
      w->setFixedHeight(heightPx);
      w->pictureButton(7)->click();
      QCOMPARE(w->heightTwips(), expectedTwips);
    }
    // Load and preview act on the file of the entry clicked.
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QListWidget* list = w->presetList();
    fakeinput::Click(list->viewport()->mapToGlobal(list->visualItemRect(list->item(3)).center()));
    QTRY_COMPARE(w->selectedPresetPath(), dir.filePath("old.ini.ini"));
    fakeinput::Click(w->findChild<QWidget*>("Label7")->mapToGlobal(QPoint(3, 8)));
    QTRY_VERIFY(w->isMinimized());
    QSignalSpy ending(w, &MainWindow::exitRequested);
    w->close();
    QCOMPARE(ending.count(), 1);
  }

  // Uneven steps, an odd number of them: a press or move handled twice, or
  // in the wrong coordinates, leaves the window off its place.
  void dragOnlyFromDragAreas_data() {
    QTest::addColumn<DragCase>("c");
    QTest::newRow("title strip") << DragCase{"Form1", "Label9", {60, 8}, {1}, true};
    QTest::newRow("background") << DragCase{"Form1", "clientArea", {104, 30}, {1}, true};
    QTest::newRow("title text") << DragCase{"Form1", "Label6", {12, 8}, {1}, false};
    QTest::newRow("exit mark") << DragCase{"Form1", "Label8", {10, 8}, {1}, false};
    QTest::newRow("right button") << DragCase{"Form1", "Label9", {60, 8}, {3}, false};
    QTest::newRow("left and right") << DragCase{"Form1", "Label9", {60, 8}, {1, 3}, false};
    QTest::newRow("Styles background") << DragCase{"Form2", "clientArea", {104, 60}, {1}, true};
  }
  void dragOnlyFromDragAreas() {
    QFETCH(DragCase, c);
    MainWindow main(kNoFolder);
    QWidget* w = c.form == "Form1" ? static_cast<QWidget*>(&main) : main.stylesWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QPoint start = w->pos();
    QPoint at = w->findChild<QWidget*>(c.area)->mapToGlobal(c.grab);
    fakeinput::Move(at, 30);
    for (int b : c.buttons) fakeinput::Button(b, true, 30);
    for (QPoint step : {QPoint(4, 2), QPoint(9, -1), QPoint(5, 7), QPoint(11, 4), QPoint(4, 3)})
      fakeinput::Move(at += step, 30);
    for (int b : c.buttons) fakeinput::Button(b, false, 30);
    QTest::qWait(50);
    QTRY_COMPARE(w->pos() - start, c.moves ? QPoint(33, 15) : QPoint(0, 0));
    // A release off a mark does not click it.
    QVERIFY(w->isVisible() && !w->isMinimized());
    if (c.form == "Form2" && c.area == "clientArea")  // any press there keeps it on top
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

  // Each caption is the user's only preview of its style: the bold ones
  // carry clearly more ink than the regular Style 7, the others about as much.
  void captionsShowWhichAreBold_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<qreal>("scale");
    for (qreal scale : {1.0, 2.0})
      for (int box = 1; box <= 6; ++box) QTest::addRow("Style %d at %gx", box, scale) << box << scale;
  }
  void captionsShowWhichAreBold() {
    QFETCH(int, box);
    QFETCH(qreal, scale);
    MainWindow main(kNoFolder);
    huevox::StylesWindow* w = main.stylesWindow();
    const double ratio = CaptionInk(w->styleBox(box), scale) / CaptionInk(w->styleBox(7), scale);
    const bool bold = box == 2 || box == 3 || box == 6;
    QVERIFY2(bold ? ratio > 1.3 : ratio < 1.15, qPrintable(QString::number(ratio)));
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

  // Each dialog opens with the last colour confirmed in either; Cancel changes nothing.
  void colourDialogOkAndCancel() {
    MainWindow w(kNoFolder);
    const struct {
      int button;
      QColor pick;
      bool ok;
      const char *opensWith, *shown;
    } steps[] = {{1, QColor(255, 0, 0), true, "#000000", " FF0000|FFFFFF|Tahoma|8|0|#ff0000|#000000"},
                 {3, QColor(0, 0, 255), false, "#ff0000", " FF0000|FFFFFF|Tahoma|8|0|#ff0000|#000000"},
                 {3, QColor(0x0A, 0x0B, 0x0C), true, "#ff0000", " FF0000|0A0B0C|Tahoma|8|0|#ff0000|#0a0b0c"}};
    for (const auto& step : steps) {
      QString openedWith;
      modal::whenShown<QColorDialog>([&](QColorDialog* d) {
        openedWith = d->currentColor().name();
        d->setCurrentColor(step.pick);
        step.ok ? d->accept() : d->reject();
      });
      w.pictureButton(step.button)->click();
      QCOMPARE(openedWith, QString(step.opensWith));
      QCOMPARE(Shown(w), QString(step.shown));  // before the next OK could hide what Cancel did
    }
    modal::Message told;
    modal::recordMessage(&told);
    w.pictureButton(11)->click();  // Load with no preset: said so, nothing changes
    QVERIFY(told.text.startsWith("There is no preset to load"));
    QCOMPARE(Shown(w), QString(steps[2].shown));
  }

  void save_data() {
    QTest::addColumn<SaveCase>("c");
    const auto critical = QMessageBox::Critical, warning = QMessageBox::Warning, none = QMessageBox::NoIcon;
    QTest::newRow("saved") << SaveCase{"Winter", "", "The [Winter] preset saved!!", none,
                                       "[config]\r\nFONTCOLOR=000000\r\nBGCOLOR=FFFFFF\r\nFONT=Tahoma\r\nSIZE=8\r\nSTYLE=7\r\n"};
    QTest::newRow("cancel") << SaveCase{{}, "", "Please select a name!!", critical, {}};
    QTest::newRow("empty") << SaveCase{"", "", "Please select a name!!", critical, {}};
    QTest::newRow("exists in another case") << SaveCase{"summer", "", "Preset already exists!!", none, {}};
    // A long name loses its middle: the box must fit the screen.
    QTest::newRow("path separator") << SaveCase{"a/" + QString(130, 'b'), "", "The preset cannot be called \"a/" +
                                       QString(28, 'b') + "…" + QString(29, 'b') + "\".", warning, {}};
    QTest::newRow("folder is a file") << SaveCase{"x", "/b.ini/p", "The [x] preset could not be saved in ", critical, {}};
  }
  void save() {
    QFETCH(SaveCase, c);
    QTemporaryDir dir;
    std::ofstream(dir.filePath("Summer.ini").toStdString(), std::ios::binary) << "[config]\r\nFONT=Arial\r\n";
    std::ofstream(dir.filePath("b.ini").toStdString(), std::ios::binary);
    MainWindow w(dir.path() + c.folder);
    w.refreshPresetList();
    w.presetList()->setCurrentRow(1);
    w.stylesWindow()->styleBox(6)->click();
    QString prompt;
    modal::Message shown;
    modal::whenShown<QInputDialog>([&](QInputDialog* ask) {
      prompt = ask->windowTitle() + ": " + ask->labelText() + ask->textValue();
      modal::recordMessage(&shown);
      ask->setTextValue(c.name);
      c.name.isNull() ? ask->reject() : ask->accept();
    });
    w.pictureButton(4)->click();
    QCOMPARE(prompt, QString("Huevox: Please enter the name you would like to save this preset as.."));
    QVERIFY2(shown.title == "Huevox" && shown.text.startsWith(c.message), qPrintable(shown.text));
    QCOMPARE(shown.icon, c.icon);
    QFile written(dir.filePath("Winter.ini"));
    QCOMPARE(written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray(), c.written);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), c.written.isEmpty() ? 2 : 3);
    QCOMPARE(QFileInfo(dir.filePath("Summer.ini")).size(), 22);
    if (c.written.isEmpty()) return;
    QCOMPARE(Shown(w), QString("b,Summer,Winter 000000|FFFFFF|Tahoma|8|7|#000000|#000000"));
    QCOMPARE(w.selectedPresetPath(), dir.filePath("b.ini"));  // the first, not the one just saved
  }

  void load_data() {
    QTest::addColumn<LoadCase>("c");
    // Load sets the texts only: the codes stay drawn in black.
    const QString kept = " 000000|FFFFFF|Tahoma|8|2|#000000|#000000", hand = "[Config]\nFontColor=#FF0000\nBGCOLOR=0F\nFont=Arial\nSTYLE=7\n";
    QTest::newRow("by hand") << LoadCase{"Hand.ini", hand.toLatin1(), "Hand #FF000|0F|Arial||7|#000000|#000000", ""};
    QTest::newRow("name not UTF-8") << LoadCase{"caf\xE9.ini", "[config]\nSTYLE=1\x1A\n", "café ||||1|#000000|#000000", ""};
    QTest::newRow("gone") << LoadCase{"Gone.ini", "", kept, "The [Gone] preset is no longer in %1."};
    QTest::newRow("unreadable") << LoadCase{"Odd.ini", "/", kept, "The [Odd] preset could not be read; nothing was loaded."};
  }
  void load() {
    QFETCH(LoadCase, c);
    QTemporaryDir dir;
    const std::filesystem::path path = (QFile::encodeName(dir.path()) + "/" + c.file).toStdString();
    std::ofstream(path, std::ios::binary) << c.bytes.toStdString();
    MainWindow w(dir.path());
    w.refreshPresetList();
    w.stylesWindow()->styleBox(2)->click();
    if (c.bytes.isEmpty() || c.bytes == "/") std::filesystem::remove(path);
    if (c.bytes == "/") std::filesystem::create_directory(path);
    modal::Message shown;
    if (!c.message.isEmpty()) modal::recordMessage(&shown);
    w.pictureButton(11)->click();
    QCOMPARE(shown.text, QString(c.message).replace("%1", QDir::toNativeSeparators(dir.path())));
    QCOMPARE(Shown(w), c.shown);  // a failed load lists the folder again
    std::filesystem::remove_all(path);  // QTemporaryDir cannot remove a name that is not UTF-8
  }
  // Answered before any display is looked for (there is none here): a help, the
  // version, or a one-line refusal with status 2; on Linux, a Wayland session
  // without X (and without Qt's Wayland plugin) is told so, not left to Qt's abort.
  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("pattern");  // of the standard output, or of the error when refused
    QTest::addColumn<QString>("wayland");  // WAYLAND_DISPLAY
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "^Usage: huevox \\[option\\]\n(.*\n)*  -v, --version " << "";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "^huevox \\d+\\.\\d+\\.\\d+\n$" << "";
    QTest::newRow("unknown") << QStringList{"--colour"} << 2 << "^huevox: Unknown option 'colour' \\([^\n]*\\)\n$" << "";
    QTest::newRow("after a good one") << QStringList{"-v", "-x"} << 2 << "^huevox: Unknown option 'x' " << "";
    QTest::newRow("argument") << QStringList{"my.ini"} << 2 << "^huevox: unexpected argument 'my.ini' \\([^\n]*\\)\n$" << "";
    QTest::newRow("no display") << QStringList{} << 1 << "^huevox: no display to show its windows on " << "";
    QTest::newRow("Wayland without X") << QStringList{} << 1
        << "^huevox: this Wayland session offers no X display \\(XWayland\\), and Qt's Wayland support " << "wayland-0";
  }
  void commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, pattern);
    QFETCH(QString, wayland);
    const bool waylandPlugin = !QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms").entryList({"*wayland*"}).isEmpty();
    if (status == 1 && (QSysInfo::kernelType() != "linux" || (!wayland.isEmpty() && waylandPlugin)))
      QSKIP("a Linux start without X, where Qt's Wayland plugin is missing");
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"}) noDisplay.remove(name);
    if (!wayland.isEmpty()) noDisplay.insert("WAYLAND_DISPLAY", wayland);
    QProcess program;
    program.setProcessEnvironment(noDisplay);
    program.start(HUEVOX_RUNTIME_DIR "/huevox", arguments);
    QVERIFY(program.waitForFinished(5000));
    // Windows writes its line ends as CR LF.
    const QString out = QString(program.readAllStandardOutput()).remove('\r'),
                  error = QString(program.readAllStandardError()).remove('\r');
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(QRegularExpression(pattern).match(status ? error : out).hasMatch(), qPrintable(out + error));
    QVERIFY((status ? out : error).isEmpty());
  }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
