// The messenger update from a click on Picture6, end to end: the real opener
// (xdg-open) hands the file to the stand-in messenger registered for .blt in a
// throwaway desktop, and the X11 automation answers its dialogs.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>

#include "app/mainwindow.h"
#include "desktopsandbox.h"
#include "output/messengerupdate.h"
#include "output/pagetext.h"
#include "output/preview.h"
#include "styles/styleswindow.h"

using namespace huevox;

namespace {

double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QByteArray Joined(const std::vector<std::string>& lines) {
  QByteArray bytes;
  for (const auto& line : lines) bytes += QByteArray::fromStdString(line) + "\r\n";
  return bytes;
}

}  // namespace

class MessengerUpdateTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<DesktopSandbox> box_;
  std::unique_ptr<MainWindow> window_;
  QString record_;

  void registerStandin(const char* mode) {
    qputenv("HUEVOX_STANDIN_MODE", mode);
    QVERIFY(box_->registerProgram(
        "application/x-huevox-buddy-list", "*.blt",
        QCoreApplication::applicationDirPath() + "/huevox_standin_messenger %f"));
  }
  QString fontFile() const { return box_->path("cache/Huevox/font.blt"); }
  QStringList record() const { return RecordLines(record_); }
  // Ends a stand-in that would stay, by the id it recorded.
  void endStandin() {
    for (const QString& line : record()) {
      if (line.startsWith("pid ")) ::kill(line.mid(4).toInt(), SIGTERM);
    }
  }

 private slots:
  void initTestCase() { QCoreApplication::setApplicationName("Huevox"); }

  void init() {
    box_ = std::make_unique<DesktopSandbox>();
    QVERIFY(box_->isValid());
    record_ = box_->path("standin-record.txt");
    qputenv("HUEVOX_STANDIN_RECORD", record_.toUtf8());
    qputenv("HUEVOX_STANDIN_LINGER", "20");
    window_ = std::make_unique<MainWindow>(box_->path("presets"));
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }
  void cleanup() {
    TakeMessage();
    endStandin();
    window_.reset();
    box_.reset();
  }

  void updatesTheMessengerEndToEnd_data() {
    QTest::addColumn<bool>("windowManager");
    QTest::newRow("no window manager") << false;
    QTest::newRow("openbox") << true;
  }
  void updatesTheMessengerEndToEnd() {
    QFETCH(bool, windowManager);
    if (windowManager) QVERIFY(box_->startWindowManager());
    registerStandin("both");
    window_->fontColorEdit()->setText("FF8800");
    window_->backgroundColorEdit()->setText("102030");
    window_->fontFaceEdit()->setText("Comic Sans MS");
    window_->fontSizeEdit()->setText("11");
    window_->stylesWindow()->styleBox(3)->setChecked(true);
    const FontSetting expected = window_->currentSetting();
    QCOMPARE(expected.style, 3);
    QSignalSpy finished(window_->messengerUpdate(), &MessengerUpdate::finished);
    // The main window is managed too.
    if (windowManager) QVERIFY(WaitUntil([&] { return box_->windowManagerManages(); }, 5000));
    QVERIFY(QDir().mkpath(box_->path("cache/Huevox")));
    QVERIFY(box_->write("cache/Huevox/previewer.htm", "earlier page"));

    window_->pictureButton(6)->click();

    QCOMPARE(finished.size(), 1);
    QVERIFY2(finished[0][0].toBool(), qPrintable(finished[0][1].toString()));
    QVERIFY(WaitUntil([&] { return record().contains("pressed AOL Instant Messenger"); }, 5000));
    const QStringList got = record();
    QVERIFY(got.contains("opened " + fontFile()));
    QVERIFY(got.contains("bytes " + Joined(FontSettingsFileLines(expected)).toHex()));
    for (const char* value : {"IM.font.windowColor=#102030", "IM.font.textColor=#FF8800",
                              "IM.font.Size=11", "IM.font.Face=Comic Sans MS",
                              "IM.font.Style=3", "User.ScreenName=''newuser'"})
      QVERIFY2(got.contains(QString("value ") + value), value);
    QVERIFY(got.contains("pressed Load Buddy List"));
    QVERIFY(!QFile::exists(fontFile()));
    QFile page(window_->preview()->pagePath());
    QVERIFY(page.open(QIODevice::ReadOnly));
    QCOMPARE(page.readAll(), QByteArray("earlier page"));
    QCOMPARE(TakeMessage(), QString());
    QVERIFY(!window_->messengerUpdate()->isRunning());
  }

  void missingSecondDialogIsReportedWithinTheBound() {
    registerStandin("first-only");
    QSignalSpy finished(window_->messengerUpdate(), &MessengerUpdate::finished);
    QElapsedTimer clock;
    clock.start();
    const double processorBefore = ProcessorSeconds();

    window_->pictureButton(6)->click();

    const double seconds = clock.elapsed() / 1000.0;
    const double processor = ProcessorSeconds() - processorBefore;
    QCOMPARE(finished.size(), 1);
    QVERIFY(!finished[0][0].toBool());
    QVERIFY(record().contains("pressed Load Buddy List"));
    // The opener stays with the stand-in: its bound, the pause, then 10 s of waiting.
    QVERIFY2(seconds > 10 && seconds < 17, qPrintable(QString::number(seconds)));
    QVERIFY2(processor < 0.1 * seconds, qPrintable(QString::number(processor)));
    const QString message = TakeMessage();
    QVERIFY2(message.contains("AOL Instant Messenger") && message.contains("10 seconds"),
             qPrintable(message));
    QVERIFY(!QFile::exists(fontFile()));
  }

  void noProgramForTheFileIsReported() {
    QSignalSpy finished(window_->messengerUpdate(), &MessengerUpdate::finished);
    window_->pictureButton(6)->click();
    QCOMPARE(finished.size(), 1);
    QVERIFY(!finished[0][0].toBool());
    const QString message = TakeMessage();
    QVERIFY2(message.contains("no program is set"), qPrintable(message));
    QVERIFY(!QFile::exists(fontFile()));
    QVERIFY(record().isEmpty());
  }

  void previewDuringAnUpdateAndNoSecondUpdate() {
    registerStandin("both");
    const QString browserRecord = box_->path("browser-record.txt");
    QVERIFY(box_->registerProgram("text/x-huevox-page", "*.htm",
                                  box_->recordingScript("browser.sh", browserRecord) + " %f"));
    QSignalSpy finished(window_->messengerUpdate(), &MessengerUpdate::finished);
    // While the first update waits: a preview, and a second update, which is refused.
    QTimer::singleShot(300, window_.get(), [&] {
      QVERIFY(window_->messengerUpdate()->isRunning());
      QVERIFY(QFile::exists(fontFile()));
      window_->pictureButton(5)->click();
      window_->pictureButton(6)->click();
      QVERIFY(QFile::exists(fontFile()));
    });

    window_->pictureButton(6)->click();

    QCOMPARE(finished.size(), 1);
    QVERIFY2(finished[0][0].toBool(), qPrintable(finished[0][1].toString()));
    QVERIFY(WaitUntil([&] { return record().contains("pressed AOL Instant Messenger"); }, 5000));
    QCOMPARE(record().filter("opened ").size(), 1);
    QVERIFY(record().contains("bytes " + Joined(FontSettingsFileLines(FontSetting{})).toHex()));
    // The page holds only the preview's line.
    QFile page(window_->preview()->pagePath());
    QVERIFY(page.open(QIODevice::ReadOnly));
    QCOMPARE(page.readAll(), QByteArray::fromStdString(PreviewPageLine(FontSetting{})) + "\r\n");
    QVERIFY(!RecordLines(browserRecord).isEmpty());
    QVERIFY(!QFile::exists(fontFile()));
  }

  void withoutAutomationNothingIsWritten() {
    registerStandin("both");
    MessengerUpdate update([] { return FontSetting{}; }, window_.get(),
                           std::make_unique<platform::NullDialogAutomation>("No X11 here."));
    update.setFolder(box_->path("out"));
    QDir().mkpath(box_->path("out"));
    update.updateMessenger();
    QCOMPARE(TakeMessage(), QStringLiteral("No X11 here."));
    QVERIFY(QDir(box_->path("out")).isEmpty());
    QTest::qWait(300);
    QVERIFY(record().isEmpty());
  }

  void fileThatCannotBeWrittenIsReported() {
    registerStandin("both");
    QVERIFY(box_->write("plain", "x"));
    window_->messengerUpdate()->setFolder(box_->path("plain/sub"));
    window_->pictureButton(6)->click();
    const QString message = TakeMessage();
    QVERIFY2(message.contains("could not be written"), qPrintable(message));
    QTest::qWait(300);
    QVERIFY(record().isEmpty());
  }
};

QTEST_MAIN(MessengerUpdateTest)
#include "tst_messengerupdate.moc"
