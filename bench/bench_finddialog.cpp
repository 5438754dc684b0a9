// Prints what looking for the messenger's dialogs costs on the X server: one
// look-up among the stand-in's and 40 windows of our own, the processor share
// of waiting for a dialog that never comes, and the time from a shown
// "Load Buddy List" to both dialogs answered.
// Run: scripts/with-xvfb.sh build/bin/bench_finddialog
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "ui/timing.h"
#include "output/confirmbuddylistload.h"
#include "platform/dialogautomation.h"

#ifdef __linux__
namespace {

double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

}  // namespace
#endif

int main(int argc, char* argv[]) {
#ifndef __linux__
  // The stand-in's Qt dialogs are not the standard dialogs the Win32 backend looks for.
  (void)argc;
  (void)argv;
  std::printf("bench_finddialog measures the X11 backend only\n");
  return 0;
#else
  QApplication app(argc, argv);
  auto automation = huevox::platform::CreateDialogAutomation(huevox::Pause);
  if (!automation->Unavailable().empty()) {
    std::printf("%s\n", automation->Unavailable().c_str());
    return 1;
  }
  std::vector<std::unique_ptr<QWidget>> ours;
  for (int i = 0; i < 40; ++i) {
    ours.push_back(std::make_unique<QWidget>());
    ours.back()->setWindowTitle(QStringLiteral("window %1").arg(i));
    ours.back()->show();
  }
  QTemporaryDir dir;
  const QString file = dir.filePath("font.blt");
  QFile(file).open(QIODevice::WriteOnly);
  QProcess standin;
  standin.start(QCoreApplication::applicationDirPath() + "/huevox_standin_messenger", {file});
  if (!huevox::WaitForDialog(*automation, huevox::kLoadBuddyListTitle, 10)) {
    std::printf("the stand-in messenger did not show its dialog\n");
    return 1;
  }

  constexpr int kLookups = 500;
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < kLookups; ++i) automation->FindDialog(huevox::kLoadBuddyListTitle);
  std::printf("FindDialog: %.1f us per look-up (%d look-ups)\n",
              clock.nsecsElapsed() / 1e3 / kLookups, kLookups);

  const double cpuBefore = CpuSeconds();
  clock.restart();
  huevox::WaitForDialog(*automation, "No such dialog", 3);
  const double wall = clock.nsecsElapsed() / 1e9;
  std::printf("WaitForDialog, 3 s for a missing dialog: %.2f s wall, %.1f %% of one processor\n",
              wall, 100 * (CpuSeconds() - cpuBefore) / wall);

  clock.restart();
  const huevox::ConfirmResult result = huevox::ConfirmBuddyListLoad(*automation, {});
  std::printf("ConfirmBuddyListLoad: %s in %.2f s (two 0.2 s settling pauses included)\n",
              result.done ? "both dialogs pressed" : "failed", clock.nsecsElapsed() / 1e9);
  standin.waitForFinished(5000);
  return result.done ? 0 : 1;
#endif
}
