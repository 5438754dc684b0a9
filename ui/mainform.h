#pragma once
// What the features see of the main window: the four boxes of the current
// setting, the Styles window's code, and the presets list's folder and
// selection. The main window implements it; features take it and never the
// window itself, so that they need nothing from the program's root.
#include <QString>

#include "settings/fontsetting.h"

class QColor;
class QLineEdit;
class QWidget;

namespace huevox {

class MainForm {
 public:
  // The window the features' dialogs and messages belong to.
  virtual QWidget* formWindow() = 0;

  virtual QLineEdit* fontColorEdit() const = 0;        // Text2
  virtual QLineEdit* backgroundColorEdit() const = 0;  // Text3
  virtual QLineEdit* fontFaceEdit() const = 0;         // Text4
  virtual QLineEdit* fontSizeEdit() const = 0;         // Text5
  // The four texts as typed, and the style code of the Styles window.
  virtual FontSetting currentSetting() = 0;
  // Sets a colour box's code and draws the code in its colour.
  virtual void showColour(QLineEdit* box, const QString& code, const QColor& colour) = 0;
  // Checks the Styles window's box for the code.
  virtual void showStyleCode(int code) = 0;

  virtual QString presetsFolder() const = 0;
  // Full path of the preset file selected in the list; empty when none is.
  virtual QString selectedPresetPath() const = 0;
  // Reads the folder again, fills the list and selects its first entry.
  virtual void refreshPresetList() = 0;

 protected:
  ~MainForm() = default;
};

}  // namespace huevox
