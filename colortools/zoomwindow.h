#pragma once
// frmzoom: a borderless topmost window in the screen's bottom-right corner
// that shows the screen round the pointer magnified, with a dotted grid
// between the magnified pixels and a marker round the middle. It follows the
// pointer with its own timer and exists only while a colour is being picked.
#include <QBrush>
#include <QFrame>
#include <QImage>
#include <QWidget>

class QTimer;

namespace huevox {

class ScreenReader;

// picZoom: shows the finished back image, nothing else.
class ZoomBox : public QFrame {
  Q_OBJECT
 public:
  explicit ZoomBox(QWidget* parent);
  // Sized to the drawing area, white until drawn into.
  QImage& backImage();
  const QImage& backImage() const { return back_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage back_;
};

class ZoomWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kInterval = 50;        // ms between pointer checks
  static constexpr int kRefreshAfterMs = 250;  // redraw at rest this often

  explicit ZoomWindow(ScreenReader& reader, QWidget* parent = nullptr);

  float zoomFactor() const { return ZoomFactor; }
  int lastX() const { return LastX; }
  int lastY() const { return LastY; }
  int elapsedMs() const { return ElapsedMs; }
  // The last frame drawn, in the box's own pixels.
  const QImage& frame() const { return box_->backImage(); }

  // Copies and magnifies the screen round the pointer (device pixels) into
  // the box and shows it.
  void DrawZoom(QPoint pointer);

  // A brush of 8 x 8 pixels, colour1 where x + y is even, colour2 elsewhere.
  static QBrush CreateCheckerBrush(const QColor& colour1, const QColor& colour2);

 signals:
  void redrawn();

 private slots:
  void followPointer();

 private:
  void InitZoom();
  void DrawZoomGrid(QImage& image);
  void RestoreTopmost();
  void PlaceInCorner();

  ScreenReader& reader_;
  ZoomBox* box_;
  QTimer* timer_;
  QImage capture_;
  QImage overlay_;  // grid and marker, drawn once per box size

  float ZoomFactor = 0;
  int LastX = 0;
  int LastY = 0;
  int ElapsedMs = 0;
};

}  // namespace huevox
