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
#include <filesystem>
#include <fstream>

#include "app/mainwindow.h"
#include "modal.h"
#include "styles/styleswindow.h"

using huevox::MainWindow;

namespace {

QColor TextColour(const QLineEdit* box) { return box->palette().color(QPalette::Text); }

QStringList Shown(const MainWindow& w) {
  QStringList names;
  for (int i = 0; i < w.presetList()->count(); ++i) names << w.presetList()->item(i)->text();
  return names;
}

QString Boxes(MainWindow& w) {
  return QStringList{w.fontColorEdit()->text(), w.backgroundColorEdit()->text(), w.fontFaceEdit()->text(),
                     w.fontSizeEdit()->text(), QString::number(w.currentSetting().style)}.join('|');
}

// Types name into the save prompt (or cancels it) and notes the message that follows.
modal::Message Save(MainWindow& w, const QString& name, bool cancel = false, QString* prompt = nullptr) {
  modal::Message message;
  modal::whenShown<QInputDialog>([&](QInputDialog* ask) {
    if (prompt) *prompt = ask->windowTitle() + ": " + ask->labelText() + ask->textValue();
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
    QCOMPARE(TextColour(w.fontColorEdit()), QColor(255, 0, 0));
    QCOMPARE(TextColour(w.backgroundColorEdit()), QColor(0x0A, 0x0B, 0x0C));
    w.pictureButton(11)->click();  // Load with nothing selected: no message to hang on
    QCOMPARE(Boxes(w), QString("FF0000|0A0B0C|Tahoma|8|0"));
  }

  void saveWritesTheFileAndRebuildsTheList() {
    QTemporaryDir dir;
    for (const char* name : {"b.ini", "Zed.ini"}) std::ofstream(QDir(dir.path()).filePath(name).toStdString());
    MainWindow w(dir.path());
    w.refreshPresetList();
    w.presetList()->setCurrentRow(1);
    w.fontFaceEdit()->setText("Comic Sans MS");
    w.stylesWindow()->styleBox(6)->click();
    QString prompt;
    const modal::Message shown = Save(w, "Summer", false, &prompt);
    QCOMPARE(prompt, QString("Huevox: Please enter the name you would like to save this preset as.."));
    QCOMPARE(shown.title + ": " + shown.text, QString("Huevox: The [Summer] preset saved!!"));
    QCOMPARE(int(shown.icon), int(QMessageBox::NoIcon));
    QFile saved(dir.filePath("Summer.ini"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("[config]\r\nFONTCOLOR=000000\r\nBGCOLOR=FFFFFF\r\n"
                                         "FONT=Comic Sans MS\r\nSIZE=8\r\nSTYLE=7\r\n"));
    QCOMPARE(Shown(w), QStringList({"b", "Summer", "Zed"}));
    QCOMPARE(w.selectedPresetPath(), dir.filePath("b.ini"));  // the first, not the one just saved
  }

  void saveOutcomes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    const int critical = QMessageBox::Critical, warning = QMessageBox::Warning;
    QTest::newRow("cancel") << QString() << "" << "Please select a name!!" << critical;
    QTest::newRow("empty") << "" << "" << "Please select a name!!" << critical;
    QTest::newRow("exists in another case") << "summer" << "" << "Preset already exists!!" << int(QMessageBox::NoIcon);
    QTest::newRow("path separator") << "a/b" << "" << "The preset cannot be called \"a/b\"." << warning;
    QTest::newRow("too long") << QString(300, 'n') << "" << "The preset cannot be called" << warning;
    QTest::newRow("folder is a file") << "x" << "/Summer.ini/presets" << "The [x] preset could not be saved: " << critical;
  }
  void saveOutcomes() {
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QTemporaryDir dir;
    std::ofstream(dir.filePath("Summer.ini").toStdString()) << "[config]\r\nFONT=Arial\r\n";
    MainWindow w(dir.path() + folder);
    const modal::Message shown = Save(w, name, name.isNull());
    QCOMPARE(shown.title, QString("Huevox"));
    QVERIFY2(shown.text.startsWith(message), qPrintable(shown.text));
    QCOMPARE(int(shown.icon), icon);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Summer.ini"});
    QCOMPARE(QFileInfo(dir.filePath("Summer.ini")).size(), 22);
  }

  void load_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("bytes");  // empty: the file goes, "/": a folder takes its place
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("message");
    const QString kept = "000000|FFFFFF|Tahoma|8|2";
    QTest::newRow("by hand") << QByteArray("Hand.ini")
                             << QByteArray("[Config]\nFontColor=#FF0000\nBGCOLOR=00FF00\nFont=Verdana\nSTYLE=7\n")
                             << "#FF000|00FF00|Verdana||7" << "";
    QTest::newRow("no box for 6") << QByteArray("Six.ini") << QByteArray("[config]\nSTYLE=6\n") << "||||2" << "";
    QTest::newRow("name not UTF-8") << QByteArray("caf\xE9.ini") << QByteArray("[config]\nSTYLE=1\x1A\n")
                                    << "||||1" << "";
    QTest::newRow("gone") << QByteArray("Gone.ini") << QByteArray() << kept
                          << "The [Gone] preset is no longer in the presets folder.";
    QTest::newRow("unreadable") << QByteArray("Odd.ini") << QByteArray("/") << kept
                                << "The [Odd] preset could not be read; nothing was loaded.";
  }
  void load() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, boxes);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const std::filesystem::path path = (QFile::encodeName(dir.path()) + "/" + file).toStdString();
    std::ofstream(path) << bytes.toStdString();
    struct Cleanup {  // QTemporaryDir cannot remove a name that is not UTF-8
      std::filesystem::path path;
      ~Cleanup() { std::filesystem::remove_all(path); }
    } cleanup{path};
    MainWindow w(dir.path());
    w.refreshPresetList();
    QCOMPARE(Shown(w), QStringList{QString::fromLatin1(file).chopped(4)});
    w.stylesWindow()->styleBox(2)->click();
    const QColor colourBefore = TextColour(w.fontColorEdit());
    if (bytes.isEmpty() || bytes == "/") std::filesystem::remove(path);
    if (bytes == "/") std::filesystem::create_directory(path);
    modal::Message shown;
    if (!message.isEmpty()) modal::recordMessage(&shown);
    w.pictureButton(11)->click();
    QCOMPARE(shown.text, message);
    QCOMPARE(Boxes(w), boxes);
    QCOMPARE(TextColour(w.fontColorEdit()), colourBefore);
  }
};

QTEST_MAIN(PresetsTest)
#include "tst_presets.moc"
