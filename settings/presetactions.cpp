#include "settings/presetactions.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "app/mainwindow.h"
#include "settings/presetfolder.h"
#include "settings/presetstore.h"
#include "settings/textcodec.h"
#include "styles/styleswindow.h"

namespace huevox {
namespace {

const QString kTitle = QStringLiteral("Huevox");

void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, kTitle, text, QMessageBox::Ok, parent);
  box.exec();
}

// Messages name the folder actually used: it may be the user's, not the program's.
QString Folder(const MainWindow* mainWindow) {
  return QDir::toNativeSeparators(mainWindow->presetsFolder());
}

}  // namespace

PresetActions::PresetActions(MainWindow* mainWindow)
    : QObject(mainWindow), mainWindow_(mainWindow) {}

void PresetActions::savePreset() {
  QInputDialog ask(mainWindow_);
  ask.setWindowTitle(kTitle);
  ask.setLabelText(
      QStringLiteral("Please enter the name you would like to save this preset as.."));
  ask.setTextValue(QString());
  const QString name = ask.exec() == QDialog::Accepted ? ask.textValue() : QString();

  const SaveResult result =
      SavePreset(mainWindow_->presetsFolder().toStdString(), name.toStdString(),
                 mainWindow_->currentSetting());
  switch (result.outcome) {
    case SaveResult::Outcome::NoName:
      Tell(mainWindow_, QMessageBox::Critical, QStringLiteral("Please select a name!!"));
      return;
    case SaveResult::Outcome::Refused:
      Tell(mainWindow_, QMessageBox::Warning,
           QStringLiteral("The preset cannot be called \"%1\". %2")
               .arg(name, QString::fromStdString(result.reason)));
      return;
    case SaveResult::Outcome::Exists:
      Tell(mainWindow_, QMessageBox::NoIcon, QStringLiteral("Preset already exists!!"));
      return;
    case SaveResult::Outcome::Failed:
      mainWindow_->refreshPresetList();
      Tell(mainWindow_, QMessageBox::Critical,
           QStringLiteral("The [%1] preset could not be saved in %2: %3.")
               .arg(name, Folder(mainWindow_), QString::fromStdString(result.reason)));
      return;
    case SaveResult::Outcome::Saved:
      mainWindow_->refreshPresetList();
      Tell(mainWindow_, QMessageBox::NoIcon, QStringLiteral("The [%1] preset saved!!").arg(name));
      return;
  }
}

void PresetActions::loadSelectedPreset() {
  const QString path = mainWindow_->selectedPresetPath();
  if (path.isEmpty()) return;
  const std::optional<LoadedPreset> preset = LoadPreset(path.toStdString());
  if (!preset) {
    // Keep the current setting: emptying the boxes would throw it away.
    const QString name =
        QString::fromStdString(PresetDisplayName(QFileInfo(path).fileName().toStdString()));
    const bool gone = !std::filesystem::exists(PathFromUtf8(path.toStdString()));
    mainWindow_->refreshPresetList();
    Tell(mainWindow_, QMessageBox::Warning,
         gone ? QStringLiteral("The [%1] preset is no longer in %2.").arg(name, Folder(mainWindow_))
              : QStringLiteral("The [%1] preset could not be read; nothing was loaded.").arg(name));
    return;
  }
  mainWindow_->fontColorEdit()->setText(QString::fromStdString(preset->fontColor));
  mainWindow_->backgroundColorEdit()->setText(QString::fromStdString(preset->backgroundColor));
  mainWindow_->fontFaceEdit()->setText(QString::fromStdString(preset->face));
  mainWindow_->fontSizeEdit()->setText(QString::fromStdString(preset->size));
  if (preset->style) mainWindow_->stylesWindow()->showStyleCode(*preset->style);
}

}  // namespace huevox
