// Stands in for the messenger in the tests: opens the .blt file it is given,
// then asks "Load Buddy List" and shows "AOL Instant Messenger", as the real
// one does. The file's bytes and the dialogs pressed go, line by line, to the
// file named by HUEVOX_STANDIN_RECORD. Ends by itself after
// HUEVOX_STANDIN_LINGER seconds (30) at the latest.
//
// HUEVOX_STANDIN_MODE:
//   both (default)  both dialogs
//   first-only      no second dialog
//   plain-window    the first dialog is a plain top-level window, as Wine's are
//   delayed         both, after HUEVOX_STANDIN_DELAY seconds of sleep, as a
//                   messenger slow to start
#include <functional>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

void Record(const QString& line) {
  QFile file(qEnvironmentVariable("HUEVOX_STANDIN_RECORD"));
  if (file.open(QIODevice::Append)) file.write(line.toUtf8() + '\n');
}

// A window with two buttons; the first one has the focus.
void Ask(const QString& title, bool plain, std::function<void()> onFirst) {
  QWidget* window = plain ? new QWidget : new QDialog;
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(title);
  auto* layout = new QVBoxLayout(window);
  auto* ok = new QPushButton(QStringLiteral("OK"));
  layout->addWidget(ok);
  layout->addWidget(new QPushButton(QStringLiteral("Cancel")));
  QObject::connect(ok, &QPushButton::clicked, window, [window, title, onFirst] {
    Record("pressed " + title);
    window->close();
    onFirst();
  });
  ok->setFocus();
  window->show();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const QString mode = qEnvironmentVariable("HUEVOX_STANDIN_MODE", "both");
  if (mode == "delayed") QThread::sleep(qEnvironmentVariableIntValue("HUEVOX_STANDIN_DELAY"));
  const int linger = qEnvironmentVariableIntValue("HUEVOX_STANDIN_LINGER");
  QTimer::singleShot((linger > 0 ? linger : 30) * 1000, &app, &QCoreApplication::quit);
  QFile file(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
  if (!file.open(QIODevice::ReadOnly)) return 1;
  Record("opened " + file.fileName());
  Record("bytes " + QString::fromLatin1(file.readAll().toHex()));

  Ask(QStringLiteral("Load Buddy List"), mode == "plain-window", [mode] {
    if (mode != "first-only")
      Ask(QStringLiteral("AOL Instant Messenger"), false, [] { QCoreApplication::exit(0); });
  });
  return app.exec();
}
