#pragma once
// A window without a title bar, drawn with a thin raised dialog frame of its
// own; controls go into clientArea(), laid out in twips from its corner.
#include <QWidget>

namespace huevox {

class FramedWindow : public QWidget {
 public:
  static constexpr int kFramePx = 3;  // 45 twips a side

  explicit FramedWindow(QSize clientSizePx, Qt::WindowFlags extraFlags = {});
  QWidget* clientArea() const { return client_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* client_;
};

}  // namespace huevox
