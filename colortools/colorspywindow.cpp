#include "colortools/colorspywindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "ui/artwork.h"
#include "ui/fonts.h"
#include "ui/twips.h"
#include "ui/usermessage.h"
#include "ui/windowdrag.h"
#include "ui/windowutil.h"
#include "colortools/colourcode.h"
#include "colortools/zoomwindow.h"

namespace huevox {

namespace {

constexpr QSize kClientSize(Px(3585), Px(870));
constexpr int kFrameWidth = 2;

QColor ColourOf(std::uint32_t value) { return QColor(value & 255, (value >> 8) & 255, (value >> 16) & 255); }

}  // namespace

void PickSource::mousePressEvent(QMouseEvent* event) {
  event->accept();
  emit pressed(event->button());
}

QPixmap ColorSpyWindow::CrossHair() { return ArtworkPixmap(QStringLiteral(":/colortools/crosshair"), QSize(15, 15)); }

ColorSpyWindow::ColorSpyWindow(std::unique_ptr<platform::ScreenReader> reader,
                               std::unique_ptr<platform::DesktopColourPick> desktopPick)
    : QFrame(nullptr, Qt::Window | Qt::FramelessWindowHint),
      reader_(std::move(reader)),
      desktopPick_(std::move(desktopPick)),
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
  // The only control that takes keys: it would catch the focus on every
  // opening, and a stray key would change the code the buttons pass on.
  // A click still puts the caret there, to select and copy.
  htmlBox_->setFocusPolicy(Qt::ClickFocus);
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

  // Reads come with every pointer move; this timer adds one per display
  // frame, so a change under a resting pointer shows too.
  spyTimer_->setObjectName(QStringLiteral("timSpy"));
  spyTimer_->setTimerType(Qt::PreciseTimer);
  connect(spyTimer_, &QTimer::timeout, this, [this] {
    // A move read a moment ago has nothing new to show yet.
    if (!lastRead_.isValid() || lastRead_.elapsed() >= spyTimer_->interval() / 2) readColourUnderPointer();
  });
  installEventFilter(this);
  if (desktopPick_) {
    connect(desktopPick_.get(), &platform::DesktopColourPick::picked, this, [this](std::uint32_t value) {
      ShowColour(value);
      CopyCode();
    });
    connect(desktopPick_.get(), &platform::DesktopColourPick::failed, this,
            [this](const QString& sentence) { TellUser(this, sentence, QMessageBox::Information, MessageWait::ForOk); });
  }

  // Only the background drags; while picking, the grab keeps its events away.
  (new WindowDragger(this))->watch(client_);
  StayOnTop(this);
}

ColorSpyWindow::~ColorSpyWindow() = default;

QLineEdit* ColorSpyWindow::AddTextBox(const char* name, QRect geometry, const QString& text, bool shown) {
  auto* box = new QLineEdit(text, client_);
  box->setObjectName(QLatin1String(name));
  box->setGeometry(geometry);
  box->setFont(WindowFont());
  box->setVisible(shown);
  return box;
}

QLabel* ColorSpyWindow::AddLabel(const char* name, QRect geometry, const QString& caption, bool shown) {
  auto* label = new QLabel(caption, client_);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(geometry);
  label->setFont(WindowFont());
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
  if (desktopPick_) return desktopPick_->Start(this);
  const QString unavailable = reader_->Unavailable();
  if (!unavailable.isEmpty()) {
    TellUser(this, unavailable, QMessageBox::Information, MessageWait::ForOk);
    return;
  }
  pickButton_ = button;
  lastRead_.invalidate();
  swatchBefore_ = swatch_;
  textsBefore_ = {colourBox_->text(), redBox_->text(), greenBox_->text(), blueBox_->text(), htmlBox_->text()};
  const QCursor crossHair(CrossHair(), 7, 7);
  setCursor(crossHair);
  cursorPicture_->setVisible(false);
  zoom_ = std::make_unique<ZoomWindow>(*reader_);
  zoom_->show();
  // Keep the pointer and the keys: the release must reach this window
  // wherever it happens, and so must Esc and the arrows.
  grabMouse(crossHair);
  grabKeyboard();
  const qreal rate = screen() ? screen()->refreshRate() : 60;
  spyTimer_->start(qBound(4, int(1000 / (rate > 0 ? rate : 60)), 50));
}

void ColorSpyWindow::StopPicking() {
  pickButton_ = Qt::NoButton;
  releaseKeyboard();
  releaseMouse();
  reader_->ReleasePointer();
  unsetCursor();
  cursorPicture_->setVisible(true);
  zoom_.reset();
  spyTimer_->stop();
}

void ColorSpyWindow::endPick() {
  StopPicking();
  CopyCode();
}

void ColorSpyWindow::CopyCode() {
  // Nothing read yet: the clipboard keeps what it had.
  const QString code = htmlBox_->text();
  if (code.isEmpty()) return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(code, QClipboard::Clipboard);
  // On X11 a middle click pastes it too.
  if (clipboard->supportsSelection()) clipboard->setText(code, QClipboard::Selection);
}

void ColorSpyWindow::cancelPick() {
  StopPicking();
  ShowSwatch(swatchBefore_);
  QLineEdit* boxes[] = {colourBox_, redBox_, greenBox_, blueBox_, htmlBox_};
  for (int i = 0; i < 5; ++i) boxes[i]->setText(textsBefore_.value(i));
}

void ColorSpyWindow::Nudge(QPoint step) {
  const std::optional<QPoint> pointer = reader_->PointerPosition();
  if (!pointer) return;
  // The pointer stops at the edges: a step may only land on some screen.
  QPoint to = *pointer + step;
  bool onScreen = false;
  for (QScreen* screen : QGuiApplication::screens()) onScreen = onScreen || platform::DeviceGeometry(screen).contains(to);
  if (!onScreen) {
    for (QScreen* screen : QGuiApplication::screens()) {
      const QRect area = platform::DeviceGeometry(screen);
      if (!area.contains(*pointer)) continue;
      to = QPoint(std::clamp(to.x(), area.left(), area.right()), std::clamp(to.y(), area.top(), area.bottom()));
    }
  }
  if (to == *pointer || !reader_->MovePointer(to)) return;
  ReadColourAt(to);
  if (zoom_) zoom_->FollowNow(to);
}

void ColorSpyWindow::hideEvent(QHideEvent* event) {
  // A desktop picker left waiting would hold every later press back.
  if (desktopPick_) desktopPick_->Cancel();
  QFrame::hideEvent(event);
}

bool ColorSpyWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && desktopPick_ && desktopPick_->Pending() && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    desktopPick_->Cancel();
    return true;
  }
  if (watched != this || !picking()) return QFrame::eventFilter(watched, event);
  if (event->type() == QEvent::MouseMove) {
    // The pointer itself is asked, not the event: its position is logical
    // and rounded, and a move sent before a nudge's warp may arrive after it.
    readColourUnderPointer();
    return true;
  }
  if (event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const int by = key->modifiers() & Qt::ShiftModifier ? 10 : 1;
  switch (key->key()) {
    case Qt::Key_Escape: cancelPick(); break;
    case Qt::Key_Left: Nudge({-by, 0}); break;
    case Qt::Key_Right: Nudge({by, 0}); break;
    case Qt::Key_Up: Nudge({0, -by}); break;
    case Qt::Key_Down: Nudge({0, by}); break;
    default: break;
  }
  return true;
}

void ColorSpyWindow::ShowSwatch(std::uint32_t value) {
  if (value == swatch_) return;
  swatch_ = value;
  QPalette palette = swatchBox_->palette();
  palette.setColor(QPalette::Window, ColourOf(swatch_));
  swatchBox_->setPalette(palette);
}

void ColorSpyWindow::readColourUnderPointer() {
  // Asked anew each time, never remembered from the last move or nudge: a
  // move may come late, from where the pointer was, or not at all (under
  // Wine no move follows a warp), and a remembered place would then stick.
  ReadColourAt(reader_->PointerPosition());
}

void ColorSpyWindow::ReadColourAt(std::optional<QPoint> pointer) {
  // A read that fails (no screen there, read refused) leaves everything as
  // it is; so does a pixel the zoom window may be showing instead.
  if (!pointer) return;
  if (zoom_) {
    zoom_->Place(*pointer);
    if (zoom_->Covers(*pointer)) return;
  }
  const std::optional<std::uint32_t> colour = reader_->ReadPixel(*pointer);
  if (!colour) return;
  lastRead_.start();
  ShowColour(*colour);
}

void ColorSpyWindow::ShowColour(std::uint32_t value) {
  ShowSwatch(value);
  // The same text again would only cost a repaint.
  const ColourTexts texts = DescribeColour(swatch_);
  const std::pair<QLineEdit*, const std::string&> boxes[] = {
      {colourBox_, texts.value}, {redBox_, texts.red}, {greenBox_, texts.green}, {blueBox_, texts.blue}, {htmlBox_, texts.hex}};
  for (const auto& [box, text] : boxes)
    if (box->text() != QLatin1String(text.c_str())) box->setText(QString::fromStdString(text));
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
