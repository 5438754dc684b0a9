// The Media Control Interface plays WMA through the system's own decoders.
#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <string>

#include "platform/tuneplayer.h"

namespace huevox::platform {
namespace {

constexpr const wchar_t* kAlias = L"huevox_intro";

QString MciError(MCIERROR code) {
  std::array<wchar_t, 256> text{};
  if (!mciGetErrorStringW(code, text.data(), static_cast<UINT>(text.size())))
    return QStringLiteral("media error %1").arg(code);
  return QString::fromWCharArray(text.data());
}

class MciTunePlayer final : public TunePlayer {
 public:
  ~MciTunePlayer() override {
    if (open_) mciSendStringW((std::wstring(L"close ") + kAlias).c_str(), nullptr, 0, nullptr);
  }

  void Play(const QString& path, std::function<void(const QString&)> failed) override {
    const std::wstring file = path.toStdWString();
    MCIERROR code = mciSendStringW(
        (L"open \"" + file + L"\" type mpegvideo alias " + kAlias).c_str(), nullptr, 0, nullptr);
    open_ = code == 0;
    if (open_) code = mciSendStringW((std::wstring(L"play ") + kAlias).c_str(), nullptr, 0, nullptr);
    if (code != 0) {
      error_ = MciError(code);
      failed(error_);
    }
  }

  bool Finished() const override {
    if (!open_ || !error_.isEmpty()) return false;
    std::array<wchar_t, 64> mode{}, position{}, length{};
    const std::wstring alias(kAlias);
    mciSendStringW((L"status " + alias + L" mode").c_str(), mode.data(), 64, nullptr);
    mciSendStringW((L"status " + alias + L" position").c_str(), position.data(), 64, nullptr);
    mciSendStringW((L"status " + alias + L" length").c_str(), length.data(), 64, nullptr);
    return std::wstring(mode.data()) == L"stopped" && std::wstring(position.data()) == length.data();
  }

  QString Error() const override { return error_; }

 private:
  bool open_ = false;
  QString error_;
};

}  // namespace

std::unique_ptr<TunePlayer> CreateTunePlayer(QObject*) { return std::make_unique<MciTunePlayer>(); }

}  // namespace huevox::platform
