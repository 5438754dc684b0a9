#pragma once
// frmcolorspy: a small topmost window that reads the colour of any pixel on
// the screen. Press any button on the cross-hair, move anywhere, release: the
// swatch and the hex code follow the pointer meanwhile, the zoom window shows
// the area round it, and the release puts the hex code on the clipboard. Two
// buttons then hand the colour on (to whoever listens). While the button is
// held, the arrow keys nudge the pointer a pixel (ten with Shift) and Esc
// gives up the pick. Where programs may not read the screen (a Wayland
// session), the press asks the desktop's own picker instead: no zoom, no
// nudges, the same swatch, codes and clipboard once it answers.
#include <QColor>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPointF>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "platform/desktoppick.h"
#include "platform/screenreader.h"

class QLineEdit;
class QTimer;
class QToolButton;

namespace huevox {

class ZoomWindow;

// picCursor: reports a press of any mouse button.
class PickSource : public QLabel {
  Q_OBJECT
 public:
  explicit PickSource(QWidget* parent) : QLabel(parent) {}
 signals:
  void pressed(Qt::MouseButton button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class ColorSpyWindow : public QFrame {
  Q_OBJECT
 public:
  explicit ColorSpyWindow(std::unique_ptr<platform::ScreenReader> reader = platform::CreateScreenReader(),
                          std::unique_ptr<platform::DesktopColourPick> desktopPick = platform::CreateDesktopColourPick());
  ~ColorSpyWindow() override;

  bool picking() const { return pickButton_ != Qt::NoButton; }
  // The cross-hair, also the pointer's shape while picking.
  static QPixmap CrossHair();

 signals:
  void fontColourChosen(const QString& code, const QColor& colour);
  void backgroundColourChosen(const QString& code, const QColor& colour);

 private slots:
  void startPick(Qt::MouseButton button);
  void endPick();
  void cancelPick();
  void readColourUnderPointer();
  void chooseFontColour();
  void chooseBackgroundColour();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Moves and keys while picking.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QLineEdit* AddTextBox(const char* name, QRect geometry, const QString& text, bool shown);
  QLabel* AddLabel(const char* name, QRect geometry, const QString& caption, bool shown);
  QToolButton* AddPicture(const char* name, QRect geometry, const QString& image, QSize size, const QString& tip);
  // The code and colour last read, if any.
  bool LastColour(QString& code, QColor& colour) const;
  void StopPicking();
  void Nudge(QPoint step);
  void ReadColourAt(std::optional<QPoint> pointer);
  void ShowSwatch(std::uint32_t value);
  void ShowColour(std::uint32_t value);
  void CopyCode();

  std::unique_ptr<platform::ScreenReader> reader_;
  std::unique_ptr<platform::DesktopColourPick> desktopPick_;  // null where the screen is read here
  QWidget* client_;
  QFrame* swatchBox_;
  PickSource* cursorPicture_;
  QLineEdit* htmlBox_;
  QLineEdit* colourBox_;
  QLineEdit* redBox_;
  QLineEdit* greenBox_;
  QLineEdit* blueBox_;
  QTimer* spyTimer_;
  std::unique_ptr<ZoomWindow> zoom_;
  std::uint32_t swatch_ = 0;  // the swatch's colour value, black at first
  Qt::MouseButton pickButton_ = Qt::NoButton;
  QElapsedTimer lastRead_;
  // What the window showed when the pick began, for Esc.
  std::uint32_t swatchBefore_ = 0;
  QStringList textsBefore_;
};

}  // namespace huevox
