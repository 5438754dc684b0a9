#pragma once
// frmzoom: a borderless topmost window in the bottom-right corner of the
// pointer's screen that shows the screen round the pointer magnified, with a
// dotted grid between the magnified pixels and a marker round the middle. It
// follows the pointer with its own timer and exists only while a colour is
// being picked. It steps aside to the bottom-left corner whenever it would
// otherwise magnify itself.
#include <QBrush>
#include <QElapsedTimer>
#include <QFrame>
#include <QImage>
#include <QWidget>
#include <utility>
#include <vector>

class QTimer;

namespace huevox {

namespace platform {
class ScreenReader;
}

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

  explicit ZoomWindow(platform::ScreenReader& reader, QWidget* parent = nullptr);

  int elapsedMs() const { return ElapsedMs; }
  // The last frame drawn, in the box's own pixels.
  const QImage& frame() const { return box_->backImage(); }

  // Copies and magnifies the screen round the pointer (device pixels) into
  // the box and shows it.
  void DrawZoom(QPoint pointer);

  // Puts the window in a corner of the pointer's screen where neither the
  // pointer nor the area it copies meets it. True when it had to move.
  bool Place(QPoint pointer);
  // Place and, unless the window moved, draw at once (a nudge, say).
  void FollowNow(QPoint pointer);
  // Whether the device pixel may show this window rather than what is under
  // it: inside it, or inside where it was until a moment ago.
  bool Covers(QPoint pointer) const;

  // A brush of 8 x 8 pixels, colour1 where x + y is even, colour2 elsewhere.
  static QBrush CreateCheckerBrush(const QColor& colour1, const QColor& colour2);

 signals:
  void redrawn();

 private slots:
  void followPointer();

 private:
  void InitZoom();
  void DrawZoomGrid(QImage& image);
  void PrepareFrame(QSize box);
  void RestoreTopmost();
  QRect DeviceRect() const;

  platform::ScreenReader& reader_;
  ZoomBox* box_;
  QTimer* timer_;
  QImage capture_;
  // Drawn once per box size: white, the grid and the marker; and, row by
  // row, the runs of pixels between them that each frame fills.
  QImage base_;
  struct Run {
    int y, x0, x1;
  };
  std::vector<Run> runs_;
  std::vector<int> columns_;
  QRect left_;  // where the window was before its last move
  QElapsedTimer leftAt_;

  float ZoomFactor = 0;
  int LastX = 0;
  // Kept from one load to the next: only LastX and ZoomFactor are set by a load.
  static inline int LastY = 0;
  static inline int ElapsedMs = 0;
};

}  // namespace huevox
