// Prints what the colour tools cost on this X server, all measured in one run
// on the same screen: one pixel read, one zoom frame (capture and draw), the
// shell command a user would otherwise reach for, and the program's processor
// time during a 5-second pick gesture with the pointer moving.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "colortools/colorspywindow.h"
#include "platform/screenreader.h"
#include "colortools/zoomwindow.h"

using namespace huevox;

namespace {

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

double MedianMicroseconds(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  times.reserve(runs);
  QElapsedTimer clock;
  for (int i = 0; i < runs; ++i) {
    clock.start();
    work();
    times.push_back(clock.nsecsElapsed() / 1e3);
  }
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[runs / 2];
}

bool Xdotool(const QStringList& arguments) {
  return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    std::fputs("bench_colortools: needs an X server (run it under scripts/with-xvfb.sh)\n", stderr);
    return 1;
  }
  std::unique_ptr<ScreenReader> reader = CreateScreenReader();
  std::unique_ptr<ScreenReader> qtReader = CreateQtScreenReader();

  // Something to read: a window of varied pixels, the pointer over it.
  QImage pattern(300, 200, QImage::Format_RGB32);
  for (int y = 0; y < pattern.height(); ++y)
    for (int x = 0; x < pattern.width(); ++x) pattern.setPixel(x, y, qRgb(x & 255, y & 255, (x * y) & 255));
  QLabel source(nullptr, Qt::Window | Qt::FramelessWindowHint);
  source.setPixmap(QPixmap::fromImage(pattern));
  source.setGeometry(400, 300, 300, 200);
  source.show();
  Wait(200);
  const QPoint at(517, 389);
  if (!Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())})) {
    std::fputs("bench_colortools: xdotool failed\n", stderr);
    return 1;
  }
  Wait(50);

  const double pixel = MedianMicroseconds(5000, [&] { reader->ReadPixel(at); });
  const double tick = MedianMicroseconds(5000, [&] { reader->ReadPixel(*reader->PointerPosition()); });
  const double qtPixel = MedianMicroseconds(1000, [&] { qtReader->ReadPixel(at); });

  ZoomWindow zoom(*reader);
  zoom.show();
  Wait(200);
  const double frame = MedianMicroseconds(1000, [&] { zoom.DrawZoom(at); });
  ZoomWindow qtZoom(*qtReader);
  qtZoom.show();
  Wait(200);
  const double qtFrame = MedianMicroseconds(300, [&] { qtZoom.DrawZoom(at); });
  qtZoom.hide();
  zoom.hide();

  const QStringList importArguments = {"-window", "root", "-crop",
                                       QStringLiteral("1x1+%1+%2").arg(at.x()).arg(at.y()),
                                       "-depth", "8", "txt:-"};
  QByteArray importOutput;
  const double import = MedianMicroseconds(15, [&] {
    QProcess process;
    process.start(QStringLiteral("import"), importArguments);
    process.waitForFinished(30000);
    importOutput = process.readAllStandardOutput();
  });

  std::printf("pixel read (xcb_get_image)           median %9.1f us\n", pixel);
  std::printf("pointer + pixel read (one spy tick)  median %9.1f us\n", tick);
  std::printf("pixel read (QScreen::grabWindow)     median %9.1f us\n", qtPixel);
  std::printf("zoom frame, capture + draw (xcb)     median %9.1f us\n", frame);
  std::printf("zoom frame, capture + draw (QScreen) median %9.1f us\n", qtFrame);
  std::printf("import -window root -crop 1x1 ...    median %9.1f us  (%.0f x the pixel read)\n", import,
              import / pixel);
  if (!importOutput.contains("srgb") && !importOutput.contains("rgb"))
    std::printf("  (import printed: %s)\n", importOutput.constData());

  // A pick gesture: press on the cross-hair, move for 5 seconds, release.
  ColorSpyWindow spy;
  spy.move(40, 40);
  spy.show();
  Wait(200);
  const QPoint cross = spy.findChild<QWidget*>("picCursor")->mapToGlobal(QPoint(7, 7));
  QStringList gesture = {"mousemove", QString::number(cross.x()), QString::number(cross.y()), "mousedown", "1"};
  const int steps = 500;  // one move every 10 ms
  for (int i = 0; i < steps; ++i) {
    gesture << "sleep" << "0.01" << "mousemove" << QString::number(420 + (i * 7) % 260)
            << QString::number(320 + (i * 3) % 160);
  }
  gesture << "mouseup" << "1";
  int ticks = 0;
  QObject::connect(spy.findChild<QTimer*>("timSpy"), &QTimer::timeout, [&] { ++ticks; });
  QProcess mover;
  mover.start(QStringLiteral("xdotool"), gesture);
  QElapsedTimer wall;
  double cpu0 = 0;
  bool started = false;
  // Blocks in the event loop like the program does; a slow poll notes the
  // gesture's start and end.
  QEventLoop loop;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!started && spy.picking()) {
      started = true;
      wall.start();
      cpu0 = CpuSeconds();
    }
    if ((started && !spy.picking()) || mover.state() == QProcess::NotRunning) loop.quit();
  });
  watch.start(20);
  QTimer::singleShot(30000, &loop, &QEventLoop::quit);
  loop.exec();
  const double cpu = CpuSeconds() - cpu0;
  const double seconds = wall.nsecsElapsed() / 1e9;
  mover.waitForFinished(5000);
  if (!started) {
    std::fputs("bench_colortools: the pick gesture did not start\n", stderr);
    return 1;
  }
  std::printf("pick gesture: %.2f s, %d spy ticks (%.0f per s), processor %.3f s = %.1f %% of one core\n",
              seconds, ticks, ticks / seconds, cpu, 100.0 * cpu / seconds);
  return 0;
}
