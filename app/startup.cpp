#include "app/startup.h"

#include <QCoreApplication>

#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "ui/windowutil.h"
#include "platform/userdatafolder.h"
#include "settings/presetfolder.h"

namespace huevox {
namespace {

// Beside the program or in the installed data folder; a missing tune is named
// beside the program, where it was looked for first.
QString ShippedTune() {
  const std::string found =
      FindShippedFile(ProgramFolder().toStdString(), "intro.wma");
  return found.empty() ? ProgramFolder() + QStringLiteral("/intro.wma")
                       : QString::fromStdString(found);
}

}  // namespace

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

QString DefaultPresetsFolder() {
  const std::string data = platform::UserDataFolder();
  const std::string user = data.empty() ? data : data + "/Huevox/presets";
  return QString::fromStdString(ChoosePresetsFolder(ProgramFolder().toStdString(), user));
}

Startup::Startup(const QString& presetsFolder, const QString& tunePath)
    : tunePath_(tunePath.isEmpty() ? ShippedTune() : tunePath),
      mainWindow_(std::make_unique<MainWindow>(presetsFolder.isEmpty() ? DefaultPresetsFolder() : presetsFolder)) {}

Startup::~Startup() = default;

void Startup::start() {
  StayOnTop(mainWindow_.get());
  mainWindow_->hide();
  splash_ = std::make_unique<SplashWindow>(mainWindow_.get(), tunePath_);
  mainWindow_->refreshPresetList();
}

}  // namespace huevox
