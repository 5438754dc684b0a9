#pragma once
// Form1: the current font setting, the presets list, and the row of picture
// buttons that lead to everything else. It draws its own title strip.
#include <QStringList>
#include <memory>
#include <vector>

#include "ui/framedwindow.h"
#include "ui/mainform.h"
#include "settings/fontsetting.h"

class QLineEdit;
class QListWidget;
class QToolButton;

namespace huevox {

class ColorSpyOpener;
class ColourChoice;
class MessengerUpdate;
class PresetActions;
class Preview;
class StylesWindow;
class WindowDragger;

class MainWindow : public FramedWindow, public MainForm {
  Q_OBJECT
 public:
  static constexpr int kCompactHeightTwips = 2835;
  static constexpr int kExpandedHeightTwips = 4545;

  explicit MainWindow(QString presetsFolder);
  ~MainWindow() override;


  QLineEdit* fontColorEdit() const override { return fontColorEdit_; }        // Text2
  QLineEdit* backgroundColorEdit() const override { return backgroundColorEdit_; }  // Text3
  QLineEdit* fontFaceEdit() const override { return fontFaceEdit_; }          // Text4
  QLineEdit* fontSizeEdit() const override { return fontSizeEdit_; }          // Text5
  QListWidget* presetList() const { return presetList_; }            // List2
  QToolButton* pictureButton(int number) const;                      // Picture<number>
  WindowDragger* dragger() const { return dragger_; }

  // The four texts as typed, and the style code of the Styles window.
  FontSetting currentSetting() override;
  // Sets a colour box's code and draws the code in its colour.
  void showColour(QLineEdit* box, const QString& code, const QColor& colour) override;
  void showStyleCode(int code) override;
  QWidget* formWindow() override { return this; }

  QString presetsFolder() const override { return presetsFolder_; }
  // File names in the presets folder, in list order (entry i is shown as List2's entry i).
  QStringList presetFiles() const { return presetFiles_; }
  // Full path of the preset file selected in the list; empty when none is.
  QString selectedPresetPath() const override;
  // Reads the folder again, fills the list and selects its first entry.
  void refreshPresetList() override;

  // Form2, created hidden on first use and kept until the program ends.
  StylesWindow* stylesWindow();
  bool hasStylesWindow() const { return stylesWindow_ != nullptr; }

  int heightTwips() const;

  // Browser preview and messenger update.
  Preview* preview() const { return preview_; }
  MessengerUpdate* messengerUpdate() const { return messengerUpdate_; }

 signals:
  void exitRequested();

 public slots:
  void minimise();
  void exitProgram();
  void togglePresetsPanel();
  void openStylesWindow();

 protected:
  // A close from the window manager (Alt+F4, the taskbar) ends the program
  // like the exit mark: hidden windows must not keep it running unseen.
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void selectPresetFile(int row);

 private:
  void buildTitleStrip();
  void buildSettingFields();
  void buildButtons();
  void buildPresetsPanel();
  void connectFeatures();

  QString presetsFolder_;
  QStringList presetFiles_;  // the hidden file list
  int selectedPresetRow_ = -1;
  QLineEdit* fontColorEdit_ = nullptr;
  QLineEdit* backgroundColorEdit_ = nullptr;
  QLineEdit* fontFaceEdit_ = nullptr;
  QLineEdit* fontSizeEdit_ = nullptr;
  QListWidget* presetList_ = nullptr;
  std::vector<QToolButton*> buttons_;
  WindowDragger* dragger_ = nullptr;
  std::unique_ptr<StylesWindow> stylesWindow_;
  ColourChoice* colourChoice_ = nullptr;
  PresetActions* presetActions_ = nullptr;
  // Browser preview and messenger update (children of this window).
  Preview* preview_ = nullptr;
  MessengerUpdate* messengerUpdate_ = nullptr;
  ColorSpyOpener* colorSpy_ = nullptr;
};

}  // namespace huevox
