// Colours and presets through the real main window: the colour dialog, the
// save prompt and its messages, and loading, with real files.
#include <QTest>
#include <QtWidgets>
#include <filesystem>
#include <fstream>

#include "app/mainwindow.h"
#include "modal.h"
#include "styles/styleswindow.h"

using huevox::MainWindow;

struct SaveCase {
  QString name, folder, message;  // a null name cancels the prompt
  QMessageBox::Icon icon;
  QByteArray written;  // Winter.ini afterwards
};
struct LoadCase {
  QByteArray file, bytes;  // no bytes: the file goes before the load; "/": a folder takes its place
  QString shown, message;
};
Q_DECLARE_METATYPE(SaveCase)
Q_DECLARE_METATYPE(LoadCase)

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

}  // namespace

class PresetsTest : public QObject {
  Q_OBJECT
 private slots:
  // Each dialog opens with the last colour confirmed in either; Cancel changes nothing.
  void colourDialogOkAndCancel() {
    MainWindow w(QDir::tempPath() + "/huevox-none");
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
    w.pictureButton(11)->click();  // Load with nothing selected: no message, no change
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
    QTest::newRow("path separator") << SaveCase{"a/b", "", "The preset cannot be called \"a/b\".", warning, {}};
    QTest::newRow("too long") << SaveCase{QString(300, 'n'), "", "The preset cannot be called", warning, {}};
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
};

QTEST_MAIN(PresetsTest)
#include "tst_presets.moc"
