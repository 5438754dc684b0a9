#pragma once
// Moving a window without a title bar: a left-button press on one of its drag
// areas remembers where the pointer grabbed it, and every move with the left
// button alone held puts the window back under the pointer at that spot.
#include <QObject>
#include <QPointer>

class QWidget;

namespace huevox {

class WindowDragger : public QObject {
  Q_OBJECT
 public:
  explicit WindowDragger(QWidget* window);
  // Presses on the area itself drag; presses on the controls inside it do not.
  void watch(QWidget* area);

  // The press point, in twips, relative to the area pressed.
  double DragStartX = 0;
  double DragStartY = 0;

 signals:
  void pressed();  // any button, on a drag area

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  QPointer<QWidget> pressedArea_;  // set from a left press on a drag area to its release
};

}  // namespace huevox
