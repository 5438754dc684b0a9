#include "platform/endrequest.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <windows.h>

namespace huevox::platform {
namespace {

// Every top-level window hears that the session ends; Qt's own handling only
// leaves the main event loop, which a wait running at that moment would hold up
// until Windows kills the program.
class SessionEnd : public QAbstractNativeEventFilter {
 public:
  explicit SessionEnd(std::function<void()> end) : end_(std::move(end)) {}
  bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_ENDSESSION && msg->wParam) end_();
    return false;
  }

 private:
  std::function<void()> end_;
};

}  // namespace

void OnEndRequested(std::function<void()> end) {
  // Lives as long as the program.
  QCoreApplication::instance()->installNativeEventFilter(new SessionEnd(std::move(end)));
}

}  // namespace huevox::platform
