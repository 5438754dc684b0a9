#include "app/splashwindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "ui/artwork.h"
#include "app/mainwindow.h"
#include "ui/timing.h"
#include "ui/twips.h"
#include "ui/windowutil.h"
#include "platform/tuneplayer.h"
#include "styles/styleswindow.h"

namespace huevox {

SplashWindow::SplashWindow(MainWindow* mainWindow, const QString& tunePath)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      mainWindow_(mainWindow),
      picture_(QStringLiteral(":/pictures/splash.jpg")),
      timer1_(new QTimer(this)),
      timer2_(new QTimer(this)),
      fadeLevelText_(new QLineEdit(QStringLiteral("0"), this)) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("Form3"));
  setWindowIcon(ArtworkIcon(QStringLiteral(":/icons/huevox")));
  // At its fixed place unless that runs off the screen (a small or scaled one).
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect fixed(screen->geometry().topLeft() + QPoint(Px(4020), Px(3660)), QSize(Px(7470), Px(3090)));
  setGeometry(QRect(KeptOnScreen(fixed, screen->availableGeometry()), fixed.size()));
  setFixedSize(size());  // tiling window managers float it instead of filling the screen

  // The fade level lives below the visible area, as decimal text.
  fadeLevelText_->setObjectName(QStringLiteral("Text1"));
  fadeLevelText_->setGeometry(TwipsRect(2280, 3600, 855, 285));
  fadeLevelText_->hide();

  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(1000);
  connect(timer1_, &QTimer::timeout, this, &SplashWindow::fadeIn);
  timer2_->setObjectName(QStringLiteral("Timer2"));
  timer2_->setInterval(1000);
  connect(timer2_, &QTimer::timeout, this, &SplashWindow::fadeOut);

  hide();
  playTune(tunePath);
  StayOnTop(this);
  timer1_->start();
}

SplashWindow::~SplashWindow() = default;

int SplashWindow::fadeLevel() const { return fadeLevelText_->text().toInt(); }

void SplashWindow::setFadeLevel(int level) { fadeLevelText_->setText(QString::number(level)); }

void SplashWindow::playTune(const QString& path) {
  // The splash works without its tune: a missing or bad file costs one line.
  if (!QFileInfo(path).isFile()) {
    std::fprintf(stderr, "huevox: no intro tune at %s; starting without it\n",
                 qPrintable(QDir::toNativeSeparators(path)));
    return;
  }
  tune_ = platform::CreateTunePlayer(this);
  tune_->Play(path, [path](const QString& reason) {
    std::fprintf(stderr, "huevox: cannot play the intro tune %s: %s\n",
                 qPrintable(QDir::toNativeSeparators(path)), qPrintable(reason));
  });
}

void SplashWindow::fadeIn() {
  if (fadeLevel() != 0) return;
  fadingIn_ = true;
  while (!fadeInInterrupted_) {
    SetTranslucency(this, static_cast<std::uint8_t>(fadeLevel() + 1));
    show();
    setFadeLevel(fadeLevel() + 1);
    if (fadeLevel() == 255) break;
    Pause(kFadeStepSeconds);  // a double-click may be handled in here
  }
  fadingIn_ = false;
}

void SplashWindow::fadeOut() {
  if (!fadeOutPending_) return;
  fadeOutPending_ = false;
  fadingOut_ = true;
  while (fadeLevel() > 1) {
    SetTranslucency(this, static_cast<std::uint8_t>(fadeLevel() - 1));
    setFadeLevel(fadeLevel() - 1);
    Pause(kFadeStepSeconds);
  }
  fadingOut_ = false;
}

void SplashWindow::dismiss() {
  // A double-click while the fade-out is due or running changes nothing.
  if (fadingOut_ || fadeOutPending_) return;
  if (fadingIn_) {
    fadeInInterrupted_ = true;  // fade out from where the fade-in stopped
  } else {
    setFadeLevel(255);
  }
  timer1_->stop();
  if (!timer2_->isActive()) timer2_->start();
  fadeOutPending_ = true;
  PauseWholeSeconds(4);  // the fade-out runs from a tick inside this wait
  hide();
  SetTranslucency(mainWindow_, 200);
  SetTranslucency(mainWindow_->stylesWindow(), 200);
  mainWindow_->show();
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), picture_);
}

void SplashWindow::mouseDoubleClickEvent(QMouseEvent*) { dismiss(); }

void SplashWindow::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace huevox
