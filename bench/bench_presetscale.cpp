// Prints, for 100, 1,000 and 10,000 presets in the folder: start-up until the
// splash's timer runs and the presets list is filled; the rebuild of the list
// after a save; and selecting and scrolling to the last entry with a repaint.
// Each figure is the median of five runs.
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>

#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "settings/presetstore.h"

namespace {

double MedianMs(const std::function<void()>& run) {
  std::vector<double> ms;
  for (int i = 0; i < 5; ++i) {
    QElapsedTimer timer;
    timer.start();
    run();
    ms.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::nth_element(ms.begin(), ms.begin() + 2, ms.end());
  return ms[2];
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const std::string bytes = huevox::PresetFileBytes({});
  { huevox::Startup warm{QString(), QString()}; warm.start(); }  // Qt's first-window costs
  std::printf("%8s  %12s  %12s  %14s\n", "presets", "start-up ms", "rebuild ms", "select+scroll ms");
  for (const int count : {100, 1000, 10000}) {
    QTemporaryDir dir;
    for (int i = 0; i < count; ++i)
      std::ofstream(dir.filePath(QStringLiteral("preset %1.ini").arg(i, 5, 10, QChar('0'))).toStdString(),
                    std::ios::binary) << bytes;
    bool filled = true;
    const double startup = MedianMs([&] {
      huevox::Startup startup(dir.path(), QString());
      startup.start();
      filled = filled && startup.splash()->fadeInTimer()->isActive() &&
               startup.mainWindow()->presetList()->count() == count;
    });
    huevox::MainWindow window(dir.path());
    window.refreshPresetList();
    window.show();
    window.togglePresetsPanel();
    int saves = 0;
    const double rebuild = MedianMs([&] {
      huevox::SavePreset(dir.path().toStdString(), "new " + std::to_string(saves++), window.currentSetting());
      window.refreshPresetList();
    });
    QListWidget* list = window.presetList();
    const double scroll = MedianMs([&] {
      list->setCurrentRow(list->currentRow() == 0 ? list->count() - 1 : 0);
      list->scrollToItem(list->currentItem());
      list->repaint();
    });
    std::printf("%8d  %12.1f  %12.1f  %14.2f%s\n", count, startup, rebuild, scroll,
                filled && list->count() == count + saves ? "" : "  [list NOT filled]");
  }
  return 0;
}
