// Stands in for the messenger in the tests: opens the .blt file it is given,
// reads the block format, then asks "Load Buddy List" and shows "AOL Instant
// Messenger", as the real one does. What it read and which dialogs were
// pressed go, line by line, to the file named by HUEVOX_STANDIN_RECORD.
//
// HUEVOX_STANDIN_MODE:
//   both (default)  both dialogs
//   first-only      no second dialog; stays HUEVOX_STANDIN_LINGER seconds (30)
//   plain-window    the first dialog is a plain top-level window, as Wine's are
//   decoys          also an unmapped window and a plain window with the same title
#include <functional>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

void Record(const QString& line) {
  QFile file(qEnvironmentVariable("HUEVOX_STANDIN_RECORD"));
  if (file.fileName().isEmpty() || !file.open(QIODevice::Append)) return;
  file.write(line.toUtf8() + '\n');
}

// "Block {" opens, "}" closes, anything else is "key value" with the value
// running to the end of the line (it may be empty).
void RecordBlocks(const QByteArray& bytes) {
  QStringList blocks;
  for (QByteArray raw : bytes.split('\n')) {
    if (raw.endsWith('\r')) raw.chop(1);
    const QString line = QString::fromUtf8(raw);
    QString text = line;
    while (text.startsWith(' ')) text.remove(0, 1);
    if (text.isEmpty()) continue;
    if (text == "}") {
      if (!blocks.isEmpty()) blocks.removeLast();
    } else if (text.endsWith(" {")) {
      blocks << text.chopped(2);
    } else {
      const qsizetype space = text.indexOf(' ');
      const QString key = space < 0 ? text : text.left(space);
      const QString value = space < 0 ? QString() : text.mid(space + 1);
      Record(QStringLiteral("value %1=%2").arg((blocks + QStringList{key}).join('.'), value));
    }
  }
}

// A window with a label and two buttons; the first one has the focus.
QWidget* Ask(const QString& title, const QString& text, const QString& first, bool plain,
             std::function<void()> onFirst) {
  QWidget* window = plain ? new QWidget : new QDialog;
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(title);
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(new QLabel(text));
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(first);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"));
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  QObject::connect(ok, &QPushButton::clicked, window, [window, onFirst] {
    window->close();
    onFirst();
  });
  QObject::connect(cancel, &QPushButton::clicked, window, [window, title] {
    Record("cancelled " + title);
    window->close();
    QCoreApplication::exit(3);
  });
  ok->setFocus();
  window->show();
  return window;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const QString mode = qEnvironmentVariable("HUEVOX_STANDIN_MODE", "both");
  if (argc < 2) return 2;
  const QString path = QString::fromLocal8Bit(argv[1]);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Record("unreadable " + path);
    return 1;
  }
  const QByteArray bytes = file.readAll();
  Record("pid " + QString::number(QCoreApplication::applicationPid()));
  Record("opened " + path);
  Record("bytes " + QString::fromLatin1(bytes.toHex()));
  RecordBlocks(bytes);

  auto second = [mode] {
    Record("pressed Load Buddy List");
    if (mode == "first-only") {
      const int linger = qEnvironmentVariableIntValue("HUEVOX_STANDIN_LINGER");
      QTimer::singleShot((linger > 0 ? linger : 30) * 1000, qApp, [] { QCoreApplication::exit(0); });
      return;
    }
    Ask(QStringLiteral("AOL Instant Messenger"), QStringLiteral("Your buddy list was loaded."),
        QStringLiteral("OK"), false, [] {
          Record("pressed AOL Instant Messenger");
          QCoreApplication::exit(0);
        });
  };
  Ask(QStringLiteral("Load Buddy List"), QStringLiteral("Load the buddy list from %1?").arg(path),
      QStringLiteral("Yes"), mode == "plain-window", second);
  if (mode == "decoys") {
    // Shown after the dialog, so they lie above it.
    auto* hidden = new QWidget;  // created, never mapped
    hidden->setWindowTitle(QStringLiteral("Load Buddy List"));
    hidden->winId();
    Ask(QStringLiteral("Load Buddy List"), QStringLiteral("A plain window."), QStringLiteral("Decoy"),
        true, [] { Record("pressed decoy"); });
  }
  return app.exec();
}
