// The Media Control Interface plays WMA through the system's own decoders and
// says when the tune has ended by a message to a window of ours.
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

MCIERROR Send(const std::wstring& command, HWND notify = nullptr) {
  return mciSendStringW(command.c_str(), nullptr, 0, notify);
}

// MM_MCINOTIFY arrives here, through the event loop that Qt runs anyway.
LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == MM_MCINOTIFY) {
    if (auto* finished = reinterpret_cast<bool*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
      *finished = wParam == MCI_NOTIFY_SUCCESSFUL;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class MciTunePlayer final : public TunePlayer {
 public:
  MciTunePlayer() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = NotifyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"HuevoxTuneNotify";
    RegisterClassW(&windowClass);  // fails harmlessly when registered before
    notify_ = CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            windowClass.hInstance, nullptr);
    if (notify_) SetWindowLongPtrW(notify_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&finished_));
  }

  ~MciTunePlayer() override {
    if (open_) Send(std::wstring(L"close ") + kAlias);
    if (notify_) DestroyWindow(notify_);
  }

  void Play(const QString& path, std::function<void(const QString&)> failed) override {
    MCIERROR code =
        Send(L"open \"" + path.toStdWString() + L"\" type mpegvideo alias " + kAlias);
    open_ = code == 0;
    if (open_) code = Send(std::wstring(L"play ") + kAlias + L" notify", notify_);
    if (code != 0) {
      error_ = MciError(code);
      failed(error_);
    }
  }

  bool Finished() const override { return finished_; }
  QString Error() const override { return error_; }

 private:
  HWND notify_ = nullptr;
  bool open_ = false;
  bool finished_ = false;
  QString error_;
};

}  // namespace

std::unique_ptr<TunePlayer> CreateTunePlayer(QObject*) { return std::make_unique<MciTunePlayer>(); }

}  // namespace huevox::platform
