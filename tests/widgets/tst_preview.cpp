// The previews from the main window's buttons, through the real opener
// (xdg-open) to a program registered for pages in a throwaway desktop.
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "app/mainwindow.h"
#include "desktopsandbox.h"
#include "output/pagetext.h"
#include "output/preview.h"
#include "output/shellopen.h"
#include "styles/styleswindow.h"

using namespace huevox;

namespace {

QByteArray PageBytes(const FontSetting& setting) {
  return QByteArray::fromStdString(PreviewPageLine(setting)) + "\r\n";
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

FontSetting Typed(MainWindow& w, const char* fontColor, const char* background, const char* face,
                  const char* size) {
  w.fontColorEdit()->setText(QString::fromUtf8(fontColor));
  w.backgroundColorEdit()->setText(QString::fromUtf8(background));
  w.fontFaceEdit()->setText(QString::fromUtf8(face));
  w.fontSizeEdit()->setText(QString::fromUtf8(size));
  return FontSetting{fontColor, background, face, size, 0};
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<DesktopSandbox> box_;
  QString record_;
  std::unique_ptr<MainWindow> window_;

  // A desktop where pages open in a program that records what it got.
  void registerRecordingBrowser() {
    QVERIFY(box_->registerProgram("text/x-huevox-page", "*.htm",
                                  box_->recordingScript("browser.sh", record_) + " %f"));
  }

 private slots:
  void initTestCase() { QCoreApplication::setApplicationName("Huevox"); }

  void init() {
    box_ = std::make_unique<DesktopSandbox>();
    QVERIFY(box_->isValid());
    record_ = box_->path("browser-record.txt");
    QDir(box_->path()).mkpath("presets");
    window_ = std::make_unique<MainWindow>(box_->path("presets"));
    window_->show();
  }
  void cleanup() {
    TakeMessage();
    window_.reset();
    box_.reset();
  }

  void pageOfTheCurrentSetting_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("starting values") << QStringList{"000000", "FFFFFF", "Tahoma", "8"};
    QTest::newRow("face with spaces") << QStringList{"FF0000", "00FFFF", "Comic Sans MS", "12"};
    QTest::newRow("face with markup") << QStringList{"000000", "FFFFFF", "A\"><b>", "8 x=1"};
    QTest::newRow("empty") << QStringList{"", "", "", ""};
  }
  void pageOfTheCurrentSetting() {
    QFETCH(QStringList, fields);
    registerRecordingBrowser();
    const FontSetting setting =
        Typed(*window_, qPrintable(fields[0]), qPrintable(fields[1]), qPrintable(fields[2]),
              qPrintable(fields[3]));
    window_->pictureButton(5)->click();

    // Written and opened under one name, in the per-user cache folder.
    const QString page = box_->path("cache/Huevox/previewer.htm");
    QCOMPARE(window_->preview()->pagePath(), page);
    QCOMPARE(FileBytes(page), PageBytes(setting));
    QVERIFY(WaitUntil([&] { return !RecordLines(record_).isEmpty(); }, 5000));
    QCOMPARE(RecordLines(record_).first(), page);
    QCOMPARE(TakeMessage(), QString());
    if (fields[0] == "000000" && fields[2] == "Tahoma") QCOMPARE(FileBytes(page).size(), 117);
  }

  void twoPreviewsInARowLeaveTheLaterPage() {
    registerRecordingBrowser();
    Typed(*window_, "000000", "FFFFFF", "Arial", "10");
    window_->pictureButton(5)->click();
    const FontSetting later = Typed(*window_, "112233", "445566", "Verdana", "14");
    window_->pictureButton(5)->click();
    QCOMPARE(FileBytes(window_->preview()->pagePath()), PageBytes(later));
    QVERIFY(WaitUntil([&] { return RecordLines(record_).size() == 4; }, 5000));
  }

  void presetWithoutSizeKeyEmptiesTheSize() {
    registerRecordingBrowser();
    QVERIFY(box_->write("presets/Summer.ini",
                        "[config]\r\nFONTCOLOR=FF0000\r\nBGCOLOR=00FF00\r\nFONT=Verdana\r\n"
                        "STYLE=2\r\n"));
    window_->refreshPresetList();
    QCOMPARE(window_->selectedPresetPath(), box_->path("presets/Summer.ini"));
    window_->showColour(window_->fontColorEdit(), "ABCDEF", QColor("#ABCDEF"));
    window_->stylesWindow()->showStyleCode(4);
    window_->pictureButton(10)->click();

    QCOMPARE(window_->fontColorEdit()->text(), QStringLiteral("FF0000"));
    QCOMPARE(window_->backgroundColorEdit()->text(), QStringLiteral("00FF00"));
    QCOMPARE(window_->fontFaceEdit()->text(), QStringLiteral("Verdana"));
    QCOMPARE(window_->fontSizeEdit()->text(), QString());
    // Text colour and style stay as they were.
    QCOMPARE(window_->fontColorEdit()->palette().color(QPalette::Text), QColor("#ABCDEF"));
    QCOMPARE(window_->stylesWindow()->styleCode(), 4);
    QCOMPARE(FileBytes(window_->preview()->pagePath()),
             PageBytes(FontSetting{"FF0000", "00FF00", "Verdana", "", 0}));
  }

  void noPresetSelectedDoesNothing() {
    registerRecordingBrowser();
    window_->refreshPresetList();  // the folder is empty
    Typed(*window_, "123456", "654321", "Georgia", "9");
    window_->pictureButton(10)->click();
    QCOMPARE(window_->fontFaceEdit()->text(), QStringLiteral("Georgia"));
    QCOMPARE(window_->fontSizeEdit()->text(), QStringLiteral("9"));
    QVERIFY(!QFile::exists(window_->preview()->pagePath()));
    QTest::qWait(300);
    QVERIFY(RecordLines(record_).isEmpty());
  }

  void pageThatCannotBeWrittenIsReported() {
    registerRecordingBrowser();
    QVERIFY(box_->write("plain", "x"));
    window_->preview()->setFolder(box_->path("plain/sub"));  // a parent that is a file
    window_->pictureButton(5)->click();
    const QString message = TakeMessage();
    QVERIFY2(message.contains("could not be written"), qPrintable(message));
    QTest::qWait(300);
    QVERIFY(RecordLines(record_).isEmpty());
  }

  void pageThatNoProgramOpensIsReported() {
    window_->pictureButton(5)->click();
    QVERIFY(QFile::exists(window_->preview()->pagePath()));
    const QString message = TakeMessage();
    QVERIFY2(message.contains("no program is set"), qPrintable(message));
  }

  void shellOpenTakesAbsolutePathsOfExistingFiles() {
    registerRecordingBrowser();
    QVERIFY(!ShellOpen("previewer.htm").opened);
    QVERIFY(!ShellOpen("").opened);
    const ShellOpenResult missing = ShellOpen(box_->path("missing.htm"));
    QVERIFY(!missing.opened);
    QVERIFY2(missing.problem.contains("not there"), qPrintable(missing.problem));
    QVERIFY(box_->write("here.htm", "x"));
    QVERIFY(ShellOpen(box_->path("here.htm")).opened);
  }

  // As a newcomer would see it: the page opened in a real browser.
  void pageLooksRightInARealBrowser() {
    const QString chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty()) QSKIP("chromium is not installed");
    const QString shot = box_->path("shot.png");
    QVERIFY(box_->write("chromium.sh",
                        "#!/bin/sh\nexec " + chromium.toUtf8() +
                            " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                            " --disable-background-networking --disable-component-update"
                            " --disable-sync --user-data-dir='" + box_->path("profile").toUtf8() +
                            "' --screenshot='" + shot.toUtf8() +
                            "' --window-size=400,100 \"file://$1\" >/dev/null 2>&1\n"));
    QFile::setPermissions(box_->path("chromium.sh"), QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(box_->registerProgram("text/x-huevox-page", "*.htm", box_->path("chromium.sh") + " %f"));

    Typed(*window_, "0000FF", "FFFF00", "DejaVu Sans", "8");
    window_->pictureButton(5)->click();
    QCOMPARE(TakeMessage(), QString());
    QVERIFY2(WaitUntil([&] { return QImage(shot).width() == 400; }, 60000), "no screenshot");

    const QImage image = QImage(shot).convertToFormat(QImage::Format_RGB32);
    int background = 0;
    int text = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c == QColor(0xFF, 0xFF, 0x00)) ++background;
        if (c.red() < 90 && c.green() < 90 && c.blue() > 170) ++text;
      }
    }
    const int all = image.width() * image.height();
    QVERIFY2(background > all * 8 / 10, qPrintable(QString::number(background)));
    QVERIFY2(text > 20, qPrintable(QString::number(text)));
  }
};

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
