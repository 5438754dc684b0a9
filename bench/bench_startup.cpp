// Prints the start-up cost: from process start until the splash exists with
// its one-second timer running and the main window is loaded; then the peak
// resident memory once the main window is shown.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <unistd.h>

#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "platform/windowfont.h"
#include "ui/windowutil.h"
#include "styles/styleswindow.h"

namespace {

// Seconds since this process was started by the kernel (fork/exec), to 10 ms.
double SecondsSinceProcessStart() {
  QFile stat("/proc/self/stat");
  if (!stat.open(QIODevice::ReadOnly)) return -1;
  const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
  const double startTicks = fields.value(19).toDouble();  // field 22 of the whole line
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return now.tv_sec + now.tv_nsec / 1e9 - startTicks / sysconf(_SC_CLK_TCK);
}

long PeakResidentKiB() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QElapsedTimer inMain;
  inMain.start();
  const double beforeMain = SecondsSinceProcessStart();
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  huevox::platform::LoadWindowFont();
  huevox::Startup startup(huevox::ProgramFolder() + "/presets",
                          argc > 1 ? QString(argv[1]) : huevox::ProgramFolder() + "/intro.wma");
  startup.start();
  const bool timerRunning = startup.splash()->fadeInTimer()->isActive();
  const double loaded = beforeMain + inMain.nsecsElapsed() / 1e9;

  // What the dismissal does at its end, without waiting for the user.
  huevox::SetTranslucency(startup.mainWindow(), 200);
  huevox::SetTranslucency(startup.mainWindow()->stylesWindow(), 200);
  startup.mainWindow()->show();
  // exit, not quit: quit asks every window to close, and the splash refuses.
  QTimer::singleShot(1500, &app, [] { QCoreApplication::exit(0); });  // the tune and the window settle
  app.exec();

  std::printf("start-up (process start to splash timer running, main window loaded): %.0f ms%s\n",
              loaded * 1000, timerRunning ? "" : "  [splash timer NOT running]");
  std::printf("  of which before main(): %.0f ms (10 ms resolution)\n", beforeMain * 1000);
  std::printf("peak resident memory after the main window is shown: %.1f MB\n",
              PeakResidentKiB() / 1024.0);
  return 0;
}
