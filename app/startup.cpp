#include "app/startup.h"

#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "app/windowutil.h"

namespace huevox {

Startup::Startup(const QString& presetsFolder, const QString& tunePath)
    : tunePath_(tunePath.isEmpty() ? MainWindow::programFolder() + QStringLiteral("/intro.wma")
                                   : tunePath),
      mainWindow_(std::make_unique<MainWindow>(presetsFolder)) {}

Startup::~Startup() = default;

void Startup::start() {
  StayOnTop(mainWindow_.get());
  mainWindow_->hide();
  splash_ = std::make_unique<SplashWindow>(mainWindow_.get(), tunePath_);
  mainWindow_->refreshPresetList();
}

}  // namespace huevox
