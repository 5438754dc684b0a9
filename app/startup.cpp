#include "app/startup.h"

#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "app/windowutil.h"
#include "settings/presetfolder.h"

namespace huevox {
namespace {

// Beside the program or in the installed data folder; a missing tune is named
// beside the program, where it was looked for first.
QString ShippedTune() {
  const std::string found =
      FindShippedFile(MainWindow::programFolder().toStdString(), "intro.wma");
  return found.empty() ? MainWindow::programFolder() + QStringLiteral("/intro.wma")
                       : QString::fromStdString(found);
}

}  // namespace

Startup::Startup(const QString& presetsFolder, const QString& tunePath)
    : tunePath_(tunePath.isEmpty() ? ShippedTune() : tunePath),
      mainWindow_(std::make_unique<MainWindow>(presetsFolder)) {}

Startup::~Startup() = default;

void Startup::start() {
  StayOnTop(mainWindow_.get());
  mainWindow_->hide();
  splash_ = std::make_unique<SplashWindow>(mainWindow_.get(), tunePath_);
  mainWindow_->refreshPresetList();
}

}  // namespace huevox
