// Colours and presets through the real main window: the colour dialog, the
// save prompt and its messages, and loading, with real files.
#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdlib>

#include "app/mainwindow.h"
#include "modal.h"
#include "styles/styleswindow.h"

using huevox::MainWindow;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QColor TextColour(const QLineEdit* box) { return box->palette().color(QPalette::Text); }

QStringList Shown(const MainWindow& w) {
  QStringList names;
  for (int i = 0; i < w.presetList()->count(); ++i) names << w.presetList()->item(i)->text();
  return names;
}

// Types name into the save prompt (or cancels it) and notes the message that follows.
modal::Message Save(MainWindow& w, const QString& name, bool cancel = false,
                    modal::Message* prompt = nullptr) {
  modal::Message message;
  modal::whenShown<QInputDialog>([&](QInputDialog* ask) {
    if (prompt) *prompt = {ask->windowTitle(), ask->labelText(), {}};
    QVERIFY(ask->textValue().isEmpty());
    modal::recordMessage(&message);
    ask->setTextValue(name);
    cancel ? ask->reject() : ask->accept();
  });
  w.pictureButton(4)->click();
  return message;
}

}  // namespace

class PresetsTest : public QObject {
  Q_OBJECT
 private slots:
  void colourDialogOkAndCancel() {
    MainWindow w(QDir::tempPath() + "/huevox-none");
    QColor openedWith;
    modal::whenShown<QColorDialog>([&](QColorDialog* d) {
      openedWith = d->currentColor();
      d->setCurrentColor(QColor(255, 0, 0));
      d->accept();
    });
    w.pictureButton(1)->click();
    QCOMPARE(openedWith, QColor(Qt::black));
    QCOMPARE(w.fontColorEdit()->text(), QString("FF0000"));
    QCOMPARE(TextColour(w.fontColorEdit()), QColor(255, 0, 0));

    // The background dialog starts from the red just confirmed; Cancel changes nothing.
    const QColor before = TextColour(w.backgroundColorEdit());
    modal::whenShown<QColorDialog>([&](QColorDialog* d) {
      openedWith = d->currentColor();
      d->setCurrentColor(QColor(0, 0, 255));
      d->reject();
    });
    w.pictureButton(3)->click();
    QCOMPARE(openedWith, QColor(255, 0, 0));
    QCOMPARE(w.backgroundColorEdit()->text(), QString("FFFFFF"));
    QCOMPARE(TextColour(w.backgroundColorEdit()), before);

    modal::whenShown<QColorDialog>([&](QColorDialog* d) {
      d->setCurrentColor(QColor(0x0A, 0x0B, 0x0C));
      d->accept();
    });
    w.pictureButton(3)->click();
    QCOMPARE(w.backgroundColorEdit()->text(), QString("0A0B0C"));
    QCOMPARE(TextColour(w.backgroundColorEdit()), QColor(0x0A, 0x0B, 0x0C));
  }

  void saveWritesTheFileAndRebuildsTheList() {
    QTemporaryDir dir;
    WriteAll(dir.filePath("b.ini"), "[config]\r\n");
    WriteAll(dir.filePath("Zed.ini"), "[config]\r\n");
    MainWindow w(dir.path());
    w.refreshPresetList();
    w.presetList()->setCurrentRow(1);
    w.fontColorEdit()->setText("FF0000");
    w.fontFaceEdit()->setText("Comic Sans MS");
    w.fontSizeEdit()->setText("10");
    w.stylesWindow()->styleBox(6)->click();

    modal::Message prompt;
    const modal::Message shown = Save(w, "Summer", false, &prompt);
    QCOMPARE(prompt.title, QString("Huevox"));
    QCOMPARE(prompt.text,
             QString("Please enter the name you would like to save this preset as.."));
    QCOMPARE(shown.title, QString("Huevox"));
    QCOMPARE(shown.text, QString("The [Summer] preset saved!!"));
    QCOMPARE(int(shown.icon), int(QMessageBox::NoIcon));
    QCOMPARE(ReadAll(dir.filePath("Summer.ini")),
             QByteArray("[config]\r\nFONTCOLOR=FF0000\r\nBGCOLOR=FFFFFF\r\nFONT=Comic Sans MS\r\n"
                        "SIZE=10\r\nSTYLE=7\r\n"));
    QCOMPARE(Shown(w), QStringList({"b", "Summer", "Zed"}));
    QCOMPARE(w.presetList()->currentRow(), 0);  // the first, not the one just saved
    QCOMPARE(w.selectedPresetPath(), dir.filePath("b.ini"));
  }

  void saveOutcomes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::newRow("cancel") << "ignored" << true << "Please select a name!!"
                            << int(QMessageBox::Critical);
    QTest::newRow("empty") << "" << false << "Please select a name!!" << int(QMessageBox::Critical);
    QTest::newRow("exists in another case") << "summer" << false << "Preset already exists!!"
                                            << int(QMessageBox::NoIcon);
    QTest::newRow("path separator") << "a/b" << false << "The preset cannot be called \"a/b\"."
                                    << int(QMessageBox::Warning);
    QTest::newRow("wildcard") << "S*" << false << "The preset cannot be called \"S*\"."
                              << int(QMessageBox::Warning);
    QTest::newRow("device name") << "CON" << false << "The preset cannot be called \"CON\"."
                                 << int(QMessageBox::Warning);
    QTest::newRow("trailing dot") << "x." << false << "The preset cannot be called \"x.\"."
                                  << int(QMessageBox::Warning);
    QTest::newRow("too long") << QString(300, 'n') << false << "The preset cannot be called"
                              << int(QMessageBox::Warning);
  }
  void saveOutcomes() {
    QFETCH(QString, name);
    QFETCH(bool, cancel);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QTemporaryDir dir;
    const QByteArray existing = "[config]\r\nFONT=Arial\r\n";
    WriteAll(dir.filePath("Summer.ini"), existing);
    MainWindow w(dir.path());
    const modal::Message shown = Save(w, name, cancel);
    QCOMPARE(shown.title, QString("Huevox"));
    QVERIFY2(shown.text.startsWith(message), qPrintable(shown.text));
    QCOMPARE(int(shown.icon), icon);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Summer.ini"});
    QCOMPARE(ReadAll(dir.filePath("Summer.ini")), existing);
  }

  void saveIntoAMissingFolderCreatesIt() {
    QTemporaryDir dir;
    MainWindow w(dir.filePath("presets"));
    w.refreshPresetList();
    const modal::Message shown = Save(w, "x.ini");
    QCOMPARE(shown.text, QString("The [x.ini] preset saved!!"));
    QVERIFY(QFile::exists(dir.filePath("presets/x.ini.ini")));
    QCOMPARE(Shown(w), QStringList{"x"});
  }

  void saveIntoALockedFolderFails() {
    QTemporaryDir dir;
    WriteAll(dir.filePath("Old.ini"), "[config]\r\n");
    MainWindow w(dir.path());
    w.refreshPresetList();
    if (std::system(qPrintable("chattr +i " + dir.path() + " 2>/dev/null")) != 0)
      QSKIP("chattr +i is not supported here");
    const modal::Message shown = Save(w, "Summer");
    std::system(qPrintable("chattr -i " + dir.path()));
    QCOMPARE(shown.title, QString("Huevox"));
    QVERIFY2(shown.text.startsWith("The [Summer] preset could not be saved in " + dir.path()),
             qPrintable(shown.text));
    QCOMPARE(int(shown.icon), int(QMessageBox::Critical));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Old.ini"});
    QCOMPARE(Shown(w), QStringList{"Old"});
  }

  void loadFillsTheBoxesAndTicksTheStyle() {
    QTemporaryDir dir;
    WriteAll(dir.filePath("Hand.ini"), "[Config]\nFontColor=#FF0000\nBGCOLOR=00FF00\nFont=Verdana\nSTYLE=7\n");
    MainWindow w(dir.path());
    w.refreshPresetList();
    w.stylesWindow()->styleBox(1)->click();
    const QColor colourBefore = TextColour(w.fontColorEdit());
    w.pictureButton(11)->click();
    QCOMPARE(w.fontColorEdit()->text(), QString("#FF000"));  // the box holds six characters
    QCOMPARE(w.backgroundColorEdit()->text(), QString("00FF00"));
    QCOMPARE(w.fontFaceEdit()->text(), QString("Verdana"));
    QCOMPARE(w.fontSizeEdit()->text(), QString());  // a missing key empties its box
    QVERIFY(w.stylesWindow()->styleBox(6)->isChecked());
    QVERIFY(!w.stylesWindow()->styleBox(1)->isChecked());
    QCOMPARE(w.currentSetting().style, 7);
    QCOMPARE(TextColour(w.fontColorEdit()), colourBefore);

    WriteAll(dir.filePath("Hand.ini"), "[config]\nSTYLE=6\n");
    w.pictureButton(11)->click();
    QVERIFY(w.stylesWindow()->styleBox(6)->isChecked());  // no box for 6: unchanged
  }

  void loadOfAPresetThatHasGoneKeepsTheSetting() {
    QTemporaryDir dir;
    WriteAll(dir.filePath("Gone.ini"), "[config]\nFONTCOLOR=123456\n");
    WriteAll(dir.filePath("Kept.ini"), "[config]\nFONTCOLOR=654321\n");
    MainWindow w(dir.path());
    w.refreshPresetList();
    w.stylesWindow()->styleBox(2)->click();
    QVERIFY(QFile::remove(dir.filePath("Gone.ini")));
    modal::Message shown;
    modal::recordMessage(&shown);
    w.pictureButton(11)->click();
    QCOMPARE(shown.title, QString("Huevox"));
    QVERIFY2(shown.text.contains("[Gone]"), qPrintable(shown.text));
    QCOMPARE(w.fontColorEdit()->text(), QString("000000"));
    QVERIFY(w.stylesWindow()->styleBox(2)->isChecked());
    QCOMPARE(Shown(w), QStringList{"Kept"});
  }

  void loadWithNothingSelectedDoesNothing() {
    QTemporaryDir dir;
    MainWindow w(dir.path());
    w.refreshPresetList();
    w.pictureButton(11)->click();  // a message box would hang here
    QCOMPARE(w.fontColorEdit()->text(), QString("000000"));
  }
};

QTEST_MAIN(PresetsTest)
#include "tst_presets.moc"
