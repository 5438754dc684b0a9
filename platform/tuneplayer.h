#pragma once
// Plays the intro tune once, in the background: on Linux through a small
// player process of our own (FFmpeg to the sound server), on Windows through
// the system's own media playback. One backend per platform, picked at build
// time.
#include <QString>
#include <functional>
#include <memory>

class QObject;

namespace huevox::platform {

class TunePlayer {
 public:
  virtual ~TunePlayer() = default;

  // Starts playing the file; `failed` is called once, now or later, with the
  // reason when it cannot be played.
  virtual void Play(const QString& path, std::function<void(const QString&)> failed) = 0;

  // The tune has played to its end.
  virtual bool Finished() const = 0;

  // Why the tune could not be played; empty while all is well.
  virtual QString Error() const = 0;
};

// `owner` keeps any Qt objects the backend needs alive.
std::unique_ptr<TunePlayer> CreateTunePlayer(QObject* owner);

}  // namespace huevox::platform
