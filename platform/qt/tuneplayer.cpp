// The tune plays in a small process of its own (huevox-tune), so that the
// decoder and the sound server's client never take memory in the program, and
// their start costs the splash nothing.
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include "platform/tuneplayer.h"

namespace huevox::platform {
namespace {

// Beside the program (the build folder), or where it is installed relative to it.
QString TuneProgram() {
  const QString folder = QCoreApplication::applicationDirPath();
  const QString beside = folder + QStringLiteral("/huevox-tune");
  if (QFileInfo(beside).isExecutable()) return beside;
  return folder + QStringLiteral("/" HUEVOX_LIBEXEC_FROM_PROGRAM "/huevox-tune");
}

class ProcessTunePlayer final : public TunePlayer {
 public:
  explicit ProcessTunePlayer(QObject* owner) : process_(new QProcess(owner)) {
    process_->setObjectName(QStringLiteral("MediaPlayer1"));
    process_->setStandardInputFile(QProcess::nullDevice());
    process_->setStandardOutputFile(QProcess::nullDevice());
  }

  // The program may end mid-tune; the tune ends with it.
  ~ProcessTunePlayer() override {
    process_->disconnect();
    if (process_->state() != QProcess::NotRunning) {
      process_->kill();
      process_->waitForFinished(1000);
    }
  }

  void Play(const QString& path, std::function<void(const QString&)> failed) override {
    auto fail = [this, failed](const QString& reason) {
      if (!error_.isEmpty()) return;  // a failed start reports both signals
      error_ = reason.isEmpty() ? QStringLiteral("unplayable") : reason;
      failed(error_);
    };
    QObject::connect(process_, &QProcess::finished, process_, [this, fail](int code, QProcess::ExitStatus how) {
      if (how == QProcess::NormalExit && code == 0) {
        finished_ = true;
        return;
      }
      fail(QString::fromLocal8Bit(process_->readAllStandardError()).trimmed().section('\n', 0, 0));
    });
    QObject::connect(process_, &QProcess::errorOccurred, process_, [this, fail](QProcess::ProcessError e) {
      if (e == QProcess::FailedToStart) fail(QStringLiteral("no tune player: ") + process_->errorString());
    });
    process_->start(TuneProgram(), {path});
  }

  bool Finished() const override { return finished_; }
  QString Error() const override { return error_; }

 private:
  QProcess* process_;  // owned by the owner given
  bool finished_ = false;
  QString error_;
};

}  // namespace

std::unique_ptr<TunePlayer> CreateTunePlayer(QObject* owner) {
  return std::make_unique<ProcessTunePlayer>(owner);
}

}  // namespace huevox::platform
