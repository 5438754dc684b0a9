#pragma once
// Moving a window without a title bar: a left-button press on one of the
// watched areas remembers the pointer, and every move with the left button
// alone held shifts the window by the pointer's travel since the press.
#include <QObject>

class QWidget;

namespace huevox {

class WindowDragger : public QObject {
  Q_OBJECT
 public:
  enum class StartY { Exact, RoundedToWhole };  // the main window keeps a whole-number Y

  WindowDragger(QWidget* window, StartY startY = StartY::Exact);
  void watch(QWidget* area);

  // The press point, in twips, relative to the area pressed.
  double DragStartX = 0;
  double DragStartY = 0;

 signals:
  void pressed();  // any button, on a watched area

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  StartY startY_;
};

}  // namespace huevox
