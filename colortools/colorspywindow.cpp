#include "colortools/colorspywindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

#include "app/artwork.h"
#include "app/twips.h"
#include "app/windowdrag.h"
#include "app/windowutil.h"
#include "colortools/colourcode.h"
#include "colortools/zoomwindow.h"

namespace huevox {

namespace {

constexpr QSize kClientSize(Px(3585), Px(870));
constexpr int kFrameWidth = 2;

QFont SpyFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSizeF(8.25);
  return font;
}

QColor ColourOf(std::uint32_t value) { return QColor(value & 255, (value >> 8) & 255, (value >> 16) & 255); }

}  // namespace

void PickSource::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit pressed(event->button());
}

QPixmap ColorSpyWindow::CrossHair() { return ArtworkPixmap(QStringLiteral(":/colortools/crosshair"), QSize(15, 15)); }

ColorSpyWindow::ColorSpyWindow(std::unique_ptr<ScreenReader> reader, QWidget* parent)
    : QFrame(parent, Qt::Window | Qt::FramelessWindowHint),
      reader_(std::move(reader)),
      client_(new QWidget(this)),
      swatchBox_(new QFrame(client_)),
      cursorPicture_(new PickSource(client_)),
      spyTimer_(new QTimer(this)) {
  setObjectName(QStringLiteral("frmcolorspy"));
  setWindowTitle(QStringLiteral("Color spy"));  // for the taskbar; no title bar shows it
  // No title bar; a thin raised frame round the client area.
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(kFrameWidth);
  setFixedSize(kClientSize + QSize(2 * kFrameWidth, 2 * kFrameWidth));
  client_->setGeometry(QRect(QPoint(kFrameWidth, kFrameWidth), kClientSize));

  swatchBox_->setObjectName(QStringLiteral("picColor"));
  swatchBox_->setGeometry(TwipsRect(120, 120, 495, 495));
  swatchBox_->setFrameStyle(QFrame::Box | QFrame::Plain);
  swatchBox_->setLineWidth(1);
  swatchBox_->setAutoFillBackground(true);
  QPalette swatch = swatchBox_->palette();
  swatch.setColor(QPalette::Window, ColourOf(swatch_));
  swatchBox_->setPalette(swatch);

  cursorPicture_->setObjectName(QStringLiteral("picCursor"));
  cursorPicture_->setGeometry(TwipsRect(720, 240, 225, 225));
  cursorPicture_->setPixmap(CrossHair());
  connect(cursorPicture_, &PickSource::pressed, this, &ColorSpyWindow::startPick);

  AddLabel("lblHTML", TwipsRect(1080, 120, 495, 255), QStringLiteral("Hex:"), true);
  htmlBox_ = AddTextBox("txtHTML", TwipsRect(1680, 120, 1275, 315), QString(), true);
  QToolButton* font = AddPicture("Picture1", TwipsRect(3000, 120, 255, 255), QStringLiteral(":/colortools/fontcolour"),
                                 QSize(16, 16), QStringLiteral("Change Font Color"));
  QToolButton* background =
      AddPicture("Picture2", TwipsRect(3240, 120, 255, 255), QStringLiteral(":/colortools/backgroundcolour"),
                 QSize(16, 16), QStringLiteral("Change Backround Color"));
  QToolButton* exit = AddPicture("Picture3", TwipsRect(3000, 360, 615, 495), QStringLiteral(":/colortools/exit"),
                                 QSize(32, 32), QStringLiteral("Exit"));
  connect(font, &QToolButton::clicked, this, &ColorSpyWindow::chooseFontColour);
  connect(background, &QToolButton::clicked, this, &ColorSpyWindow::chooseBackgroundColour);
  connect(exit, &QToolButton::clicked, this, &QWidget::hide);

  // Fields that only pass values between the handlers; never shown.
  colourBox_ = AddTextBox("txtColor", TwipsRect(1710, 2160, 1275, 315), QString(), false);
  AddLabel("lblColor", TwipsRect(1200, 2280, 495, 255), QStringLiteral("Color:"), false);
  redBox_ = AddTextBox("txtred", TwipsRect(960, 1080, 375, 285), QStringLiteral("Text1"), false);
  blueBox_ = AddTextBox("txtblue", TwipsRect(1440, 1080, 150, 285), QStringLiteral("Text1"), false);
  greenBox_ = AddTextBox("txtgreen", TwipsRect(1680, 1080, 255, 285), QStringLiteral("Text1"), false);

  spyTimer_->setObjectName(QStringLiteral("timSpy"));
  spyTimer_->setInterval(1);
  spyTimer_->setTimerType(Qt::PreciseTimer);
  connect(spyTimer_, &QTimer::timeout, this, &ColorSpyWindow::readColourUnderPointer);

  // Only the background drags; while picking, the grab keeps its events away.
  (new WindowDragger(this))->watch(client_);
  StayOnTop(this);
}

ColorSpyWindow::~ColorSpyWindow() = default;

QLineEdit* ColorSpyWindow::AddTextBox(const char* name, QRect geometry, const QString& text, bool shown) {
  auto* box = new QLineEdit(text, client_);
  box->setObjectName(QLatin1String(name));
  box->setGeometry(geometry);
  box->setFont(SpyFont());
  box->setVisible(shown);
  return box;
}

QLabel* ColorSpyWindow::AddLabel(const char* name, QRect geometry, const QString& caption, bool shown) {
  auto* label = new QLabel(caption, client_);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(geometry);
  label->setFont(SpyFont());
  label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  label->setVisible(shown);
  return label;
}

QToolButton* ColorSpyWindow::AddPicture(const char* name, QRect geometry, const QString& image, QSize size,
                                        const QString& tip) {
  auto* button = new QToolButton(client_);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(geometry);
  QIcon icon;
  icon.addPixmap(ArtworkPixmap(image, QSize(16, 16)));
  icon.addPixmap(ArtworkPixmap(image, QSize(32, 32)));
  button->setIcon(icon);
  button->setIconSize(size);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  // A bare picture: no button face, no border, image in the top-left corner.
  button->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; background: transparent; }"));
  button->setToolTip(tip);
  button->setAccessibleName(tip);
  return button;
}

void ColorSpyWindow::startPick(Qt::MouseButton button) {
  if (picking()) return;
  const QString unavailable = reader_->Unavailable();
  if (!unavailable.isEmpty()) {
    QMessageBox::information(this, QStringLiteral("Huevox"), unavailable);
    return;
  }
  pickButton_ = button;
  const QCursor crossHair(CrossHair(), 7, 7);
  setCursor(crossHair);
  cursorPicture_->setVisible(false);
  zoom_ = std::make_unique<ZoomWindow>(*reader_);
  zoom_->show();
  // Keep the pointer: the release must reach this window wherever it happens.
  grabMouse(crossHair);
  spyTimer_->start();
}

void ColorSpyWindow::endPick() {
  pickButton_ = Qt::NoButton;
  releaseMouse();
  unsetCursor();
  cursorPicture_->setVisible(true);
  zoom_.reset();
  spyTimer_->stop();
  QGuiApplication::clipboard()->setText(htmlBox_->text(), QClipboard::Clipboard);
}

void ColorSpyWindow::readColourUnderPointer() {
  // A read that fails (no screen there, read refused) leaves everything as it is.
  const std::optional<QPoint> pointer = reader_->PointerPosition();
  if (!pointer) return;
  const std::optional<std::uint32_t> colour = reader_->ReadPixel(*pointer);
  if (!colour) return;
  if (*colour != swatch_) {
    swatch_ = *colour;
    QPalette palette = swatchBox_->palette();
    palette.setColor(QPalette::Window, ColourOf(swatch_));
    swatchBox_->setPalette(palette);
  }
  const ColourTexts texts = DescribeColour(swatch_);
  colourBox_->setText(QString::fromStdString(texts.value));
  redBox_->setText(QString::fromStdString(texts.red));
  greenBox_->setText(QString::fromStdString(texts.green));
  blueBox_->setText(QString::fromStdString(texts.blue));
  htmlBox_->setText(QString::fromStdString(texts.hex));
}

bool ColorSpyWindow::LastColour(QString& code, QColor& colour) const {
  // Nothing has been read before the first pick: there is nothing to hand on.
  const std::optional<std::uint32_t> value = ColourValueFromText(colourBox_->text().toStdString());
  if (!value) return false;
  code = htmlBox_->text();
  colour = ColourOf(*value);
  return true;
}

void ColorSpyWindow::chooseFontColour() {
  QString code;
  QColor colour;
  if (LastColour(code, colour)) emit fontColourChosen(code, colour);
}

void ColorSpyWindow::chooseBackgroundColour() {
  QString code;
  QColor colour;
  if (LastColour(code, colour)) emit backgroundColourChosen(code, colour);
}

void ColorSpyWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (picking() && event->button() == pickButton_) endPick();
}

}  // namespace huevox
