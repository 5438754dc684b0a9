#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

#include "platform/tuneplayer.h"

namespace huevox::platform {
namespace {

class MultimediaTunePlayer final : public TunePlayer {
 public:
  explicit MultimediaTunePlayer(QObject* owner) : player_(new QMediaPlayer(owner)) {
    player_->setObjectName(QStringLiteral("MediaPlayer1"));
    player_->setAudioOutput(new QAudioOutput(player_));
  }

  void Play(const QString& path, std::function<void(const QString&)> failed) override {
    QObject::connect(player_, &QMediaPlayer::errorOccurred, player_,
                     [this, failed](QMediaPlayer::Error, const QString& reason) {
                       player_->disconnect();
                       player_->stop();
                       failed(reason);
                     });
    player_->setSource(QUrl::fromLocalFile(path));
    player_->play();
  }

  bool Finished() const override { return player_->mediaStatus() == QMediaPlayer::EndOfMedia; }

  QString Error() const override {
    if (player_->error() == QMediaPlayer::NoError) return {};
    return player_->errorString().isEmpty() ? QStringLiteral("unplayable") : player_->errorString();
  }

 private:
  QMediaPlayer* player_;  // owned by the owner given
};

}  // namespace

std::unique_ptr<TunePlayer> CreateTunePlayer(QObject* owner) {
  return std::make_unique<MultimediaTunePlayer>(owner);
}

}  // namespace huevox::platform
