// Prints what a 2-second Pause and PauseWholeSeconds cost: wall time, processor
// time, and how late a 10 ms timer fires at worst while the wait runs.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>

#include "ui/timing.h"

namespace {

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

void Measure(const char* name, const std::function<void()>& wait) {
  QElapsedTimer clock;
  qint64 previous = 0;
  qint64 worstLateNs = 0;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    worstLateNs = std::max(worstLateNs, now - previous - 10'000'000);
    previous = now;
  });
  const double cpu0 = CpuSeconds();
  clock.start();
  tick.start(10);
  wait();
  const double wall = clock.nsecsElapsed() / 1e9;
  const double cpu = CpuSeconds() - cpu0;
  std::printf("%-22s wall %.3f s  cpu %.4f s (%.2f %% of wall)  worst 10 ms timer delay %.2f ms\n",
              name, wall, cpu, 100.0 * cpu / wall, worstLateNs / 1e6);
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  Measure("Pause(2)", [] { huevox::Pause(2.0); });
  Measure("PauseWholeSeconds(2)", [] { huevox::PauseWholeSeconds(2); });
  return 0;
}
