#include "ui/windowutil.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace huevox {
namespace {

// Onto the span where it can be; the first edge wins on a short one.
int Within(int at, int first, int pastLast, int length) {
  return std::max(first, std::min(at, pastLast - length));
}

}  // namespace

QPoint KeptOnScreen(const QRect& place, const QRect& area) {
  return {Within(place.left(), area.left(), area.right() + 1, place.width()),
          Within(place.top(), area.top(), area.bottom() + 1, place.height())};
}

void SetTranslucency(QWidget* window, std::uint8_t alpha) {
  window->setWindowOpacity(alpha / 255.0);
}

void ShowClearOf(QWidget* window, const QWidget* anchor) {
  // The program's other shown windows, the anchor first: those kept on top
  // would hide it, and it would hide the others.
  QList<QRect> taken{anchor->frameGeometry()};
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other != window && other != anchor && other->isVisible() &&
        other->windowType() == Qt::Window)
      taken << other->frameGeometry();
  }
  const QRect area = anchor->screen()->availableGeometry();
  const QRect now = window->frameGeometry();
  const auto fits = [&](const QRect& place) {
    return area.contains(place) && std::none_of(taken.begin(), taken.end(), [&](const QRect& t) {
             return t.intersects(place);
           });
  };
  // Left where the user (or an earlier opening) put it, unless that is under
  // another window or off the screen.
  if (!window->testAttribute(Qt::WA_Moved) || !fits(now)) {
    constexpr int kGap = 8;
    std::optional<QPoint> chosen;
    // Beside one of them, the anchor first, edges level: right, left, below, above.
    for (const QRect& t : taken) {
      const QPoint level = KeptOnScreen(QRect(t.topLeft(), now.size()), area);
      const int x = level.x(), y = level.y();
      const QPoint places[] = {{t.right() + 1 + kGap, y}, {t.left() - kGap - now.width(), y},
                               {x, t.bottom() + 1 + kGap}, {x, t.top() - kGap - now.height()}};
      for (const QPoint at : places) {
        if (!chosen && fits(QRect(at, now.size()))) chosen = at;
      }
    }
    // No room anywhere: right of the anchor, as far as the screen allows.
    const QRect& from = taken.front();
    const QPoint squeezed = KeptOnScreen(QRect(QPoint(from.right() + 1 + kGap, from.top()), now.size()), area);
    window->move(chosen.value_or(squeezed));
  }
  window->show();
  window->raise();
  window->activateWindow();
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
