#include "app/windowdrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <cmath>

#include "app/twips.h"
#include "app/wholeseconds.h"

namespace huevox {

WindowDragger::WindowDragger(QWidget* window, StartY startY)
    : QObject(window), window_(window), startY_(startY) {}

void WindowDragger::watch(QWidget* area) { area->installEventFilter(this); }

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    emit pressed();
    if (mouse->button() == Qt::LeftButton) {
      DragStartX = Twips(mouse->position().x());
      const double y = Twips(mouse->position().y());
      DragStartY = startY_ == StartY::Exact ? y : static_cast<double>(RoundHalfEven(y));
    }
  } else if (event->type() == QEvent::MouseMove) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->buttons() == Qt::LeftButton) {
      // The area moves with the window, so its coordinates give the travel.
      const double left = Twips(window_->x()) + (Twips(mouse->position().x()) - DragStartX);
      const double top = (Twips(mouse->position().y()) - DragStartY) + Twips(window_->y());
      window_->move(static_cast<int>(std::lround(left / kTwipsPerPixel)),
                    static_cast<int>(std::lround(top / kTwipsPerPixel)));
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace huevox
