#pragma once
// Form3: fades in a second after loading, plays the intro tune, and waits for
// a double-click, which fades it out and leads to the main window.
#include <QPixmap>
#include <QWidget>

class QAudioOutput;
class QLineEdit;
class QMediaPlayer;
class QTimer;

namespace huevox {

class MainWindow;

class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  // Time per opacity step: each fade of 255 steps lasts about a second.
  static constexpr double kFadeStepSeconds = 1.0 / 255;

  SplashWindow(MainWindow* mainWindow, const QString& tunePath);

  int fadeLevel() const;
  QTimer* fadeInTimer() const { return timer1_; }   // Timer1
  QTimer* fadeOutTimer() const { return timer2_; }  // Timer2
  QMediaPlayer* mediaPlayer() const { return player_; }

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
  QMediaPlayer* player_ = nullptr;
  QAudioOutput* audioOutput_ = nullptr;
  bool fadingIn_ = false;
  bool fadeInInterrupted_ = false;
  bool fadeOutPending_ = false;
  bool fadingOut_ = false;
};

}  // namespace huevox
