#pragma once
// Saving the current setting as a named preset, and loading the selected one.
#include <QObject>

namespace huevox {

class MainForm;

class PresetActions : public QObject {
  Q_OBJECT
 public:
  PresetActions(MainForm& form, QObject* parent);

 public slots:
  void savePreset();
  void loadSelectedPreset();

 private:
  MainForm& form_;
};

}  // namespace huevox
