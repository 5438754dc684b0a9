// Starts the real program as a user does and prints what it costs: how late
// the splash is mapped after its one second, with an empty user cache (the
// first start after installing) and warm; then, after a double-click on the
// splash, with the main window shown and the tune over, the program's private
// memory, Pss and peak resident memory, sampled every five seconds over its
// first minute. The figures of the Qt Multimedia player it replaced stand
// beside them.
//   bench_tune [PROGRAM]      (default: huevox beside this benchmark)
// Needs an X server without a window manager (scripts/with-xvfb.sh --screen
// 1280x1024x24 gives one) and, for the tune to play, a sound server
// (tests/widgets/x11/with-sound-sink.sh gives a private one).
#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kOldPrivateMb = 69, kOldPssMb = 76, kOldPeakMb = 85;
constexpr double kTargetPrivateMb = 36, kTargetLateS = 0.3;

struct Memory {
  double privateMb = -1, pssMb = -1, rssMb = -1, peakMb = -1;
};

double KiBField(const QByteArray& text, const QByteArray& key) {
  const qsizetype at = text.indexOf("\n" + key + ":");
  if (at < 0) return 0;
  return text.mid(at + key.size() + 2).trimmed().split(' ').first().toDouble();
}

Memory MemoryOf(qint64 pid) {
  QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!rollup.open(QIODevice::ReadOnly) || !status.open(QIODevice::ReadOnly)) return {};
  const QByteArray r = "\n" + rollup.readAll(), s = "\n" + status.readAll();
  return {(KiBField(r, "Private_Clean") + KiBField(r, "Private_Dirty")) / 1024, KiBField(r, "Pss") / 1024,
          KiBField(r, "Rss") / 1024, KiBField(s, "VmHWM") / 1024};
}

// The program's child processes (the tune's player while it plays).
QList<QByteArray> ChildrenOf(qint64 pid) {
  QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
  if (!children.open(QIODevice::ReadOnly)) return {};
  const QByteArray list = children.readAll().simplified();
  return list.isEmpty() ? QList<QByteArray>() : list.split(' ');
}

class Display {
 public:
  Display() : c_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(c_)) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c_);
  }
  ~Display() { xcb_disconnect(c_); }
  bool ok() const { return root_ != 0; }

  // The first top-level window named `name` mapped within the time; 0 if none.
  xcb_window_t WaitForMap(const QByteArray& name, const QElapsedTimer& clock, int untilMs) {
    while (clock.elapsed() < untilMs) {
      pollfd fd{xcb_get_file_descriptor(c_), POLLIN, 0};
      poll(&fd, 1, 10);
      while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
        xcb_window_t mapped = 0;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
          mapped = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
        std::free(event);
        if (mapped && NameOf(mapped) == name) return mapped;
      }
    }
    return 0;
  }

  void DoubleClick(xcb_window_t window) {
    auto* at = xcb_translate_coordinates_reply(c_, xcb_translate_coordinates(c_, window, root_, 40, 40), nullptr);
    if (!at) return;
    xcb_test_fake_input(c_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, at->dst_x, at->dst_y, 0);
    std::free(at);
    for (int i = 0; i < 4; ++i)
      xcb_test_fake_input(c_, i % 2 ? XCB_BUTTON_RELEASE : XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, root_, 0, 0, 0);
    xcb_flush(c_);
  }

 private:
  QByteArray NameOf(xcb_window_t window) {
    auto* reply = xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64), nullptr);
    if (!reply) return {};
    const QByteArray name(static_cast<const char*>(xcb_get_property_value(reply)),
                          xcb_get_property_value_length(reply));
    std::free(reply);
    return name;
  }

  xcb_connection_t* c_;
  xcb_window_t root_ = 0;
};

struct Run {
  QProcess process;
  QElapsedTimer clock;
  xcb_window_t splash = 0;
  double lateS = 0;  // after the splash's one second
};

// Starts the program and waits for its splash to be mapped.
void Start(Run& run, Display& display, const QString& program, const QString& cache) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
  run.process.setProcessEnvironment(environment);
  run.process.setStandardOutputFile(QProcess::nullDevice());
  run.clock.start();
  run.process.start(program, {});
  run.splash = display.WaitForMap("Form3", run.clock, 10000);
  run.lateS = run.clock.nsecsElapsed() / 1e9 - 1;
}

void Stop(Run& run) {
  run.process.terminate();
  if (!run.process.waitForFinished(3000)) run.process.kill();
  run.process.waitForFinished();
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QString program = argc > 1 ? QString(argv[1]) : QCoreApplication::applicationDirPath() + "/huevox";
  Display display;
  if (!display.ok()) {
    std::fputs("bench_tune: no X display (run it under scripts/with-xvfb.sh)\n", stderr);
    return 1;
  }
  QTemporaryDir cache;

  std::printf("program: %s\n", qPrintable(program));
  Run first;
  Start(first, display, program, cache.path());
  if (!first.splash) {
    std::fprintf(stderr, "bench_tune: no splash within 10 s: %s\n", first.process.readAllStandardError().constData());
    return 1;
  }

  // The first start goes on: to the main window, past the tune, over a minute.
  QThread::msleep(500);  // the fade-in has begun
  display.DoubleClick(first.splash);
  const qint64 pid = first.process.processId();
  std::printf("\nmemory over the first minute (the splash double-clicked at %.1f s):\n",
              first.clock.elapsed() / 1000.0);
  std::printf("  %5s %12s %8s %8s %18s\n", "s", "private MB", "Pss MB", "Rss MB", "tune player's private/Rss MB");
  Memory last;
  // Resident size: private memory moves with what other programs map of the same libraries.
  std::vector<double> series;
  for (int second = 2; second <= 60; second = second < 5 ? 5 : second + 5) {  // 2 s: the tune plays
    QThread::msleep(std::max<qint64>(0, second * 1000 - first.clock.elapsed()));
    last = MemoryOf(pid);
    series.push_back(last.rssMb);
    const QList<QByteArray> children = ChildrenOf(pid);
    const Memory player = children.isEmpty() ? Memory() : MemoryOf(children.first().toLongLong());
    std::printf("  %5d %12.1f %8.1f %8.1f %s\n", second, last.privateMb, last.pssMb, last.rssMb,
                player.rssMb < 0 ? "       (ended)"
                                 : qPrintable(QStringLiteral("%1 / %2").arg(player.privateMb, 10, 'f', 1).arg(player.rssMb, 0, 'f', 1)));
  }
  const QByteArray said = first.process.readAllStandardError().trimmed();
  Stop(first);

  std::vector<double> warm;
  for (int i = 0; i < 5; ++i) {
    Run run;
    Start(run, display, program, cache.path());
    warm.push_back(run.lateS);
    Stop(run);
  }
  std::sort(warm.begin(), warm.end());

  const bool climbs = series.back() > series[series.size() / 2] + 1;  // over the second half
  // Private memory counts the library pages no other process maps, so it falls
  // when other Qt programs run; the resident size bounds it from above whatever runs.
  const double privateBound = std::max(last.privateMb, last.rssMb);
  std::printf("\nthe program said: %s\n", said.isEmpty() ? "nothing" : said.constData());
  std::printf("\n%-44s %10s %10s %8s\n", "", "before", "now", "target");
  std::printf("%-44s %10.0f %10.1f %8.0f  %s\n", "private memory, main window shown (MB)", kOldPrivateMb,
              last.privateMb, kTargetPrivateMb, last.privateMb <= kTargetPrivateMb ? "met" : "MISSED");
  std::printf("%-44s %10s %10.1f %8.0f  %s\n", "  its bound whatever else runs: resident (MB)", "", last.rssMb,
              kTargetPrivateMb, privateBound <= kTargetPrivateMb ? "met" : "MISSED");
  std::printf("%-44s %10.0f %10.1f\n", "Pss (MB)", kOldPssMb, last.pssMb);
  std::printf("%-44s %10.0f %10.1f\n", "peak resident (MB)", kOldPeakMb, last.peakMb);
  std::printf("%-44s %10s %10.2f %8.1f  %s\n", "first start: splash late by (s, empty cache)", "0.51-0.60",
              first.lateS, kTargetLateS, first.lateS <= kTargetLateS ? "met" : "MISSED");
  std::printf("%-44s %10s %5.2f-%.2f\n", "warm starts: splash late by (s, 5 runs)", "0.11-0.17", warm.front(),
              warm.back());
  std::printf("%-44s %10s %10s\n", "memory climbs over the minute", "", climbs ? "YES" : "no");
  return 0;
}
