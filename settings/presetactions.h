#pragma once
// Saving the current setting as a named preset, and loading the selected one.
#include <QObject>

namespace huevox {

class MainWindow;

class PresetActions : public QObject {
  Q_OBJECT
 public:
  explicit PresetActions(MainWindow* mainWindow);

 public slots:
  void savePreset();
  void loadSelectedPreset();

 private:
  MainWindow* mainWindow_;
};

}  // namespace huevox
