#include "colortools/zoomwindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstring>
#include <vector>

#include "ui/windowutil.h"
#include "colortools/zoomgeometry.h"
#include "platform/screenreader.h"

namespace huevox {

namespace {

// 3315 x 2340 twips at 15 twips to the pixel.
constexpr QSize kClientSize(221, 156);
constexpr int kBoxBorder = 2;
const QColor kGridGrey(0x80, 0x80, 0x80);
const QColor kGridSilver(0xC0, 0xC0, 0xC0);

// How long a spot the window has just left may still show it: the move
// goes through the window manager, and what was under it must repaint.
constexpr int kLeftGraceMs = 200;

QScreen* ScreenAtDevice(QPoint pointer) {
  for (QScreen* screen : QGuiApplication::screens())
    if (platform::DeviceGeometry(screen).contains(pointer)) return screen;
  return QGuiApplication::primaryScreen();
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

ZoomWindow::ZoomWindow(platform::ScreenReader& reader, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      reader_(reader),
      box_(new ZoomBox(this)),
      timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("frmzoom"));
  setWindowTitle(QStringLiteral("Form4"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(kClientSize);
  box_->setGeometry(rect());
  InitZoom();
  Place(reader_.PointerPosition().value_or(QCursor::pos()));
  leftAt_.invalidate();
  timer_->setObjectName(QStringLiteral("tmrZoom"));
  timer_->setInterval(kInterval);
  connect(timer_, &QTimer::timeout, this, &ZoomWindow::followPointer);
  timer_->start();
}

QRect ZoomWindow::DeviceRect() const {
  const QScreen* screen = QGuiApplication::screenAt(geometry().center());
  if (!screen) return {};
  const QPoint origin = screen->geometry().topLeft();  // the same in both spaces
  const qreal ratio = screen->devicePixelRatio();
  return {origin + (pos() - origin) * ratio, size() * ratio};
}

bool ZoomWindow::Place(QPoint pointer) {
  QScreen* screen = ScreenAtDevice(pointer);
  if (!screen) return false;
  const QRect area = screen->geometry();
  const QRect device = platform::DeviceGeometry(screen);
  const qreal ratio = screen->devicePixelRatio();
  const QPoint home(area.right() + 1 - width(), area.bottom() + 1 - height());
  const QRect homeDevice(device.topLeft() + (home - area.topLeft()) * ratio, size() * ratio);
  const QSize box = size() - QSize(2 * kBoxBorder, 2 * kBoxBorder);
  const ZoomRect s = ComputeZoomCopy(box.width(), box.height(), ZoomFactor, pointer.x(), pointer.y()).source;
  const bool inTheWay = homeDevice.intersects(QRect(s.x, s.y, s.width, s.height)) || homeDevice.contains(pointer);
  const QPoint target = inTheWay ? QPoint(area.left(), home.y()) : home;
  if (target == pos()) return false;
  if (isVisible()) {
    left_ = DeviceRect();
    leftAt_.start();
  }
  move(target);
  LastX = -100;  // draw again once it is there
  return true;
}

void ZoomWindow::FollowNow(QPoint pointer) {
  if (!Place(pointer)) DrawZoom(pointer);
}

bool ZoomWindow::Covers(QPoint pointer) const {
  if (DeviceRect().contains(pointer)) return true;
  return leftAt_.isValid() && leftAt_.elapsed() < kLeftGraceMs && left_.contains(pointer);
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
  if (Place(*pointer)) return;  // the next tick draws, from the new corner
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
  if (base_.size() != image.size()) PrepareFrame(image.size());
  const ZoomCopy copy = ComputeZoomCopy(image.width(), image.height(), ZoomFactor, pointer.x(), pointer.y());
  // White, grid and marker in one copy; then only the pixels between them.
  std::memcpy(image.bits(), base_.constBits(), image.sizeInBytes());
  const ZoomRect& s = copy.source;
  if (reader_.ReadArea(QRect(s.x, s.y, s.width, s.height), capture_)) {
    for (const Run& run : runs_) {
      const auto* in = reinterpret_cast<const QRgb*>(
          capture_.constScanLine(int(qint64(run.y) * capture_.height() / copy.destHeight)));
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(run.y));
      for (int x = run.x0; x < run.x1; ++x) out[x] = in[columns_[x]];
    }
  }
  box_->update();  // shown with the next paint, not drawn twice
  emit redrawn();
}

void ZoomWindow::PrepareFrame(QSize box) {
  base_ = QImage(box, QImage::Format_RGB32);
  base_.fill(Qt::white);
  DrawZoomGrid(base_);
  // The copy's size depends on the box only, so its blocks do too.
  const ZoomCopy copy = ComputeZoomCopy(box.width(), box.height(), ZoomFactor, 0, 0);
  const int width = std::min(copy.destWidth, box.width());
  const int height = std::min(copy.destHeight, box.height());
  columns_.assign(width, 0);
  for (int x = 0; x < width; ++x) columns_[x] = int(qint64(x) * copy.source.width / copy.destWidth);
  // The grid and marker are where drawing them on black gives the same pixel
  // as on white.
  QImage probe(box, QImage::Format_RGB32);
  probe.fill(Qt::black);
  DrawZoomGrid(probe);
  runs_.clear();
  for (int y = 0; y < height; ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(base_.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(probe.constScanLine(y));
    for (int x = 0; x < width;) {
      while (x < width && a[x] == b[x]) ++x;
      const int x0 = x;
      while (x < width && a[x] != b[x]) ++x;
      if (x > x0) runs_.push_back({y, x0, x});
    }
  }
}

QBrush ZoomWindow::CreateCheckerBrush(const QColor& colour1, const QColor& colour2) {
  QImage pattern(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.setPixelColor(x, y, (x + y) % 2 == 0 ? colour1 : colour2);
  return QBrush(pattern);
}

void ZoomWindow::DrawZoomGrid(QImage& image) {
  if (ZoomFactor < kMinimumGridZoom) return;
  // The checker brush is aligned to the box's origin.
  QPainter painter(&image);
  const QBrush brush = CreateCheckerBrush(kGridGrey, kGridSilver);
  const int w = image.width();
  const int h = image.height();
  for (int x : GridLinePositions(w, ZoomFactor)) painter.fillRect(x, 0, 1, h, brush);
  for (int y : GridLinePositions(h, ZoomFactor)) painter.fillRect(0, y, w, 1, brush);
  for (const ZoomRect& bar : MarkerBars(w, h)) painter.fillRect(bar.x, bar.y, bar.width, bar.height, brush);
}

}  // namespace huevox
