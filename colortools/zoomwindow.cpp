#include "colortools/zoomwindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <vector>

#include "app/windowutil.h"
#include "platform/screenreader.h"
#include "colortools/zoomgeometry.h"

namespace huevox {

namespace {

// 3315 x 2340 twips at 15 twips to the pixel.
constexpr QSize kClientSize(221, 156);
constexpr int kBoxBorder = 2;
const QColor kGridGrey(0x80, 0x80, 0x80);
const QColor kGridSilver(0xC0, 0xC0, 0xC0);

// Nearest-neighbour copy of source into the top-left destWidth x destHeight of
// image (clipped to it): every source pixel becomes a whole block.
void Magnify(const QImage& source, QImage& image, int destWidth, int destHeight) {
  const int width = std::min(destWidth, image.width());
  const int height = std::min(destHeight, image.height());
  if (source.isNull() || width <= 0 || height <= 0) return;
  std::vector<int> columns(width);
  for (int x = 0; x < width; ++x) columns[x] = int(qint64(x) * source.width() / destWidth);
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(int(qint64(y) * source.height() / destHeight)));
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) out[x] = in[columns[x]];
  }
}

}  // namespace

ZoomBox::ZoomBox(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("picZoom"));
  // The standard sunken border of a picture box.
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kBoxBorder);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& ZoomBox::backImage() {
  if (back_.size() != contentsRect().size()) {
    back_ = QImage(contentsRect().size(), QImage::Format_RGB32);
    back_.fill(Qt::white);
  }
  return back_;
}

void ZoomBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // One box pixel is one logical pixel; a higher ratio scales it up unsmoothed.
  painter.drawImage(contentsRect().topLeft(), backImage());
  painter.end();
  QFrame::paintEvent(event);
}

ZoomWindow::ZoomWindow(ScreenReader& reader, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      reader_(reader),
      box_(new ZoomBox(this)),
      timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("frmzoom"));
  setWindowTitle(QStringLiteral("Form4"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kClientSize);
  PlaceInCorner();
  box_->setGeometry(rect());
  InitZoom();
  timer_->setObjectName(QStringLiteral("tmrZoom"));
  timer_->setInterval(kInterval);
  connect(timer_, &QTimer::timeout, this, &ZoomWindow::followPointer);
  timer_->start();
}

void ZoomWindow::PlaceInCorner() {
  // The corner of the screen the pointer is on, so the magnifier shows up
  // where the user is looking.
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  move(area.right() + 1 - width(), area.bottom() + 1 - height());
}

void ZoomWindow::InitZoom() {
  ZoomFactor = 1000.0f / 100.0f;
  LastX = -100;
  StayOnTop(this);
}

void ZoomWindow::RestoreTopmost() {
  StayOnTop(this);
  raise();  // restacks without activating
}

void ZoomWindow::followPointer() {
  if (isMinimized()) return;
  ElapsedMs += timer_->interval();
  const std::optional<QPoint> pointer = reader_.PointerPosition();
  if (!pointer) return;
  if (pointer->x() != LastX || pointer->y() != LastY || ElapsedMs >= kRefreshAfterMs) {
    DrawZoom(*pointer);
    if (ElapsedMs >= kRefreshAfterMs) RestoreTopmost();
    ElapsedMs = 0;
  }
  LastX = pointer->x();
  LastY = pointer->y();
}

void ZoomWindow::DrawZoom(QPoint pointer) {
  QImage& image = box_->backImage();
  const ZoomCopy copy = ComputeZoomCopy(image.width(), image.height(), ZoomFactor, pointer.x(), pointer.y());
  image.fill(Qt::white);
  const ZoomRect& s = copy.source;
  if (reader_.ReadArea(QRect(s.x, s.y, s.width, s.height), capture_))
    Magnify(capture_, image, copy.destWidth, copy.destHeight);
  DrawZoomGrid(image);
  box_->repaint();
  emit redrawn();
}

QBrush ZoomWindow::CreateCheckerBrush(const QColor& colour1, const QColor& colour2) {
  QImage pattern(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.setPixelColor(x, y, (x + y) % 2 == 0 ? colour1 : colour2);
  return QBrush(pattern);
}

void ZoomWindow::DrawZoomGrid(QImage& image) {
  if (ZoomFactor < kMinimumGridZoom) return;
  if (overlay_.size() != image.size()) {
    // The lines and bars only depend on the box's size: paint them once
    // into a transparent overlay with the checker brush, aligned to the
    // box's origin, and lay that over every frame.
    overlay_ = QImage(image.size(), QImage::Format_ARGB32_Premultiplied);
    overlay_.fill(Qt::transparent);
    QPainter painter(&overlay_);
    const QBrush brush = CreateCheckerBrush(kGridGrey, kGridSilver);
    const int w = image.width();
    const int h = image.height();
    for (int x : GridLinePositions(w, ZoomFactor)) painter.fillRect(x, 0, 1, h, brush);
    for (int y : GridLinePositions(h, ZoomFactor)) painter.fillRect(0, y, w, 1, brush);
    for (const ZoomRect& bar : MarkerBars(w, h)) painter.fillRect(bar.x, bar.y, bar.width, bar.height, brush);
  }
  QPainter painter(&image);
  painter.drawImage(0, 0, overlay_);
}

}  // namespace huevox
