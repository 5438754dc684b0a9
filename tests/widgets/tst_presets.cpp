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
  QString boxes, message;
};
Q_DECLARE_METATYPE(SaveCase)
Q_DECLARE_METATYPE(LoadCase)

namespace {

QColor TextColour(const QLineEdit* box) { return box->palette().color(QPalette::Text); }

QStringList Shown(const MainWindow& w) {
  QStringList names;
  for (const QListWidgetItem* item : w.presetList()->findItems("*", Qt::MatchWildcard)) names << item->text();
  return names;
}

QString Boxes(MainWindow& w) {
  return QStringList{w.fontColorEdit()->text(), w.backgroundColorEdit()->text(), w.fontFaceEdit()->text(),
                     w.fontSizeEdit()->text(), QString::number(w.currentSetting().style)}.join('|');
}

// Types name into the save prompt (a null name cancels it); notes the prompt and the message after it.
modal::Message Save(MainWindow& w, const QString& name, QString* prompt) {
  modal::Message message;
  modal::whenShown<QInputDialog>([&](QInputDialog* ask) {
    *prompt = ask->windowTitle() + ": " + ask->labelText() + ask->textValue();
    modal::recordMessage(&message);
    ask->setTextValue(name);
    name.isNull() ? ask->reject() : ask->accept();
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
    const auto pick = [&](int button, const QColor& colour, bool ok) {
      QColor openedWith;
      modal::whenShown<QColorDialog>([&](QColorDialog* d) {
        openedWith = d->currentColor();
        d->setCurrentColor(colour);
        ok ? d->accept() : d->reject();
      });
      w.pictureButton(button)->click();
      return openedWith;
    };
    QCOMPARE(pick(1, QColor(255, 0, 0), true), QColor(Qt::black));
    QCOMPARE(pick(3, QColor(0, 0, 255), false), QColor(255, 0, 0));  // from the last confirmed colour
    pick(3, QColor(0x0A, 0x0B, 0x0C), true);
    QCOMPARE(TextColour(w.fontColorEdit()).name() + TextColour(w.backgroundColorEdit()).name(), "#ff0000#0a0b0c");
    w.pictureButton(11)->click();  // Load with nothing selected: no message to hang on
    QCOMPARE(Boxes(w), QString("FF0000|0A0B0C|Tahoma|8|0"));
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
    QTest::newRow("folder is a file") << SaveCase{"x", "/b.ini/p", "The [x] preset could not be saved: ", critical, {}};
  }
  void save() {
    QFETCH(SaveCase, c);
    QTemporaryDir dir;
    std::ofstream(dir.filePath("Summer.ini").toStdString()) << "[config]\r\nFONT=Arial\r\n";
    std::ofstream(dir.filePath("b.ini").toStdString());
    MainWindow w(dir.path() + c.folder);
    w.refreshPresetList();
    w.presetList()->setCurrentRow(1);
    w.stylesWindow()->styleBox(6)->click();
    QString prompt;
    const modal::Message shown = Save(w, c.name, &prompt);
    QCOMPARE(prompt, QString("Huevox: Please enter the name you would like to save this preset as.."));
    QVERIFY2(shown.title == "Huevox" && shown.text.startsWith(c.message), qPrintable(shown.text));
    QCOMPARE(shown.icon, c.icon);
    QFile written(dir.filePath("Winter.ini"));
    QCOMPARE(written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray(), c.written);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), c.written.isEmpty() ? 2 : 3);
    QCOMPARE(QFileInfo(dir.filePath("Summer.ini")).size(), 22);
    if (c.written.isEmpty()) return;
    QCOMPARE(Shown(w), QStringList({"b", "Summer", "Winter"}));
    QCOMPARE(w.selectedPresetPath(), dir.filePath("b.ini"));  // the first, not the one just saved
  }

  void load_data() {
    QTest::addColumn<LoadCase>("c");
    const QString kept = "000000|FFFFFF|Tahoma|8|2";
    QTest::newRow("by hand") << LoadCase{"Hand.ini", "[Config]\nFontColor=#FF0000\nBGCOLOR=00FF00\nFont=Verdana\nSTYLE=7\n",
                                         "#FF000|00FF00|Verdana||7", ""};
    QTest::newRow("no box for 6") << LoadCase{"Six.ini", "[config]\nSTYLE=6\n", "||||2", ""};
    QTest::newRow("name not UTF-8") << LoadCase{"caf\xE9.ini", "[config]\nSTYLE=1\x1A\n", "||||1", ""};
    QTest::newRow("gone") << LoadCase{"Gone.ini", "", kept, "The [Gone] preset is no longer in the presets folder."};
    QTest::newRow("unreadable") << LoadCase{"Odd.ini", "/", kept, "The [Odd] preset could not be read; nothing was loaded."};
  }
  void load() {
    QFETCH(LoadCase, c);
    QTemporaryDir dir;
    const std::filesystem::path path = (QFile::encodeName(dir.path()) + "/" + c.file).toStdString();
    std::ofstream(path) << c.bytes.toStdString();
    struct Cleanup {  // QTemporaryDir cannot remove a name that is not UTF-8
      std::filesystem::path path;
      ~Cleanup() { std::filesystem::remove_all(path); }
    } cleanup{path};
    MainWindow w(dir.path());
    w.refreshPresetList();
    QCOMPARE(Shown(w), QStringList{QString::fromLatin1(c.file).chopped(4)});
    w.stylesWindow()->styleBox(2)->click();
    const QColor colourBefore = TextColour(w.fontColorEdit());
    if (c.bytes.isEmpty() || c.bytes == "/") std::filesystem::remove(path);
    if (c.bytes == "/") std::filesystem::create_directory(path);
    modal::Message shown;
    if (!c.message.isEmpty()) modal::recordMessage(&shown);
    w.pictureButton(11)->click();
    QCOMPARE(shown.text, c.message);
    QCOMPARE(Boxes(w), c.boxes);
    QCOMPARE(TextColour(w.fontColorEdit()), colourBefore);
  }
};

QTEST_MAIN(PresetsTest)
#include "tst_presets.moc"
