#pragma once
#include <QObject>
#include <memory>

namespace huevox {

class MainWindow;
class SplashWindow;

// The folder that holds the program.
QString ProgramFolder();
// The presets folder beside the program, or the user's own when that cannot take files.
QString DefaultPresetsFolder();

// Loading the main window starts everything: it stays on top and hidden,
// loads the splash, and fills the presets list.
class Startup : public QObject {
  Q_OBJECT
 public:
  explicit Startup(const QString& presetsFolder = {}, const QString& tunePath = {});
  ~Startup() override;

  void start();
  MainWindow* mainWindow() const { return mainWindow_.get(); }
  SplashWindow* splash() const { return splash_.get(); }

 private:
  QString tunePath_;
  std::unique_ptr<MainWindow> mainWindow_;
  std::unique_ptr<SplashWindow> splash_;
};

}  // namespace huevox
