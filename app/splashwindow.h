#pragma once
// Form3: fades in a second after loading, plays the intro tune, and waits for
// a double-click, which fades it out and leads to the main window.
#include <QPixmap>
#include <QWidget>
#include <memory>

class QLineEdit;
class QTimer;

namespace huevox {

namespace platform { class TunePlayer; }
class MainWindow;

class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  // Time per opacity step: each fade of 255 steps lasts about a second.
  static constexpr double kFadeStepSeconds = 1.0 / 255;

  SplashWindow(MainWindow* mainWindow, const QString& tunePath);
  ~SplashWindow() override;

  int fadeLevel() const;
  QTimer* fadeInTimer() const { return timer1_; }   // Timer1
  QTimer* fadeOutTimer() const { return timer2_; }  // Timer2
  // Null when there was no tune to play.
  platform::TunePlayer* tunePlayer() const { return tune_.get(); }

 public slots:
  void fadeIn();
  void fadeOut();
  void dismiss();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // Only a double-click leads on; a closed splash would leave nothing on screen.
  void closeEvent(QCloseEvent* event) override;

 private:
  void setFadeLevel(int level);
  void playTune(const QString& path);

  MainWindow* mainWindow_;
  QPixmap picture_;
  QTimer* timer1_;
  QTimer* timer2_;
  QLineEdit* fadeLevelText_;  // Text1
  std::unique_ptr<platform::TunePlayer> tune_;
  bool fadingIn_ = false;
  bool fadeInInterrupted_ = false;
  bool fadeOutPending_ = false;
  bool fadingOut_ = false;
};

}  // namespace huevox
