#include "ui/windowutil.h"

#include <QWidget>
#include <QWindow>

namespace huevox {

void SetTranslucency(QWidget* window, std::uint8_t alpha) {
  window->setWindowOpacity(alpha / 255.0);
}

void StayOnTop(QWidget* window) {
  const Qt::WindowFlags flags = window->windowFlags() | Qt::WindowStaysOnTopHint;
  if (flags == window->windowFlags() && !window->windowHandle()) return;
  // QWidget::setWindowFlags would hide a visible window and re-create it;
  // record the flag on the widget and hand it to the live window directly.
  window->overrideWindowFlags(flags);
  if (QWindow* handle = window->windowHandle()) handle->setFlags(flags);
}

}  // namespace huevox
