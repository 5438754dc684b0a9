#include "ui/windowdrag.h"

#include <QMouseEvent>
#include <QWidget>

#include "ui/twips.h"

namespace huevox {

WindowDragger::WindowDragger(QWidget* window) : QObject(window), window_(window) {}

void WindowDragger::watch(QWidget* area) { area->installEventFilter(this); }

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
  auto* area = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      // A press that a child ignored reaches its parent too; only the widget
      // right under the pointer counts, so each press is handled once.
      if (area->childAt(mouse->position().toPoint())) break;
      emit pressed();
      if (mouse->button() == Qt::LeftButton) {
        pressedArea_ = area;
        DragStartX = Twips(mouse->position().x());
        DragStartY = Twips(mouse->position().y());
      }
      break;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (area != pressedArea_ || mouse->buttons() != Qt::LeftButton) break;
      // Global positions only: while the window server catches up with the
      // last move, coordinates local to the window are already stale.
      const QPointF grab = area->mapTo(window_, QPointF(DragStartX, DragStartY) / kTwipsPerPixel);
      window_->move((mouse->globalPosition() - grab).toPoint());
      break;
    }
    case QEvent::MouseButtonRelease:
      if (area == pressedArea_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        pressedArea_ = nullptr;
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace huevox
