#include "settings/presetactions.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <QInputDialog>
#include <QLineEdit>

#include "settings/presetfolder.h"
#include "settings/presetstore.h"
#include "settings/textcodec.h"
#include "ui/mainform.h"
#include "ui/usermessage.h"

namespace huevox {
namespace {

const QString kTitle = QStringLiteral("Huevox");

void Tell(MainForm& form, QMessageBox::Icon icon, const QString& text) {
  TellUser(form.formWindow(), text, icon, MessageWait::ForOk);
}

// Messages name the folder actually used: it may be the user's, not the program's.
QString Folder(const MainForm& form) {
  return ShownName(QDir::toNativeSeparators(form.presetsFolder()));
}

}  // namespace

PresetActions::PresetActions(MainForm& form, QObject* parent) : QObject(parent), form_(form) {}

void PresetActions::savePreset() {
  QInputDialog ask(form_.formWindow());
  ask.setWindowTitle(kTitle);
  ask.setLabelText(
      QStringLiteral("Please enter the name you would like to save this preset as.."));
  ask.setTextValue(QString());
  const QString name = ask.exec() == QDialog::Accepted ? ask.textValue() : QString();

  const SaveResult result =
      SavePreset(form_.presetsFolder().toStdString(), name.toStdString(),
                 form_.currentSetting());
  switch (result.outcome) {
    case SaveResult::Outcome::NoName:
      Tell(form_, QMessageBox::Critical, QStringLiteral("Please select a name!!"));
      return;
    case SaveResult::Outcome::Refused:
      Tell(form_, QMessageBox::Warning,
           QStringLiteral("The preset cannot be called \"%1\". %2")
               .arg(ShownName(name), QString::fromStdString(result.reason)));
      return;
    case SaveResult::Outcome::Exists:
      Tell(form_, QMessageBox::NoIcon, QStringLiteral("Preset already exists!!"));
      return;
    case SaveResult::Outcome::Failed:
      form_.refreshPresetList();
      Tell(form_, QMessageBox::Critical,
           QStringLiteral("The [%1] preset could not be saved in %2: %3.")
               .arg(ShownName(name), Folder(form_), QString::fromStdString(result.reason)));
      return;
    case SaveResult::Outcome::Saved:
      form_.refreshPresetList();
      Tell(form_, QMessageBox::NoIcon, QStringLiteral("The [%1] preset saved!!").arg(ShownName(name)));
      return;
  }
}

void PresetActions::loadSelectedPreset() {
  const QString path = form_.selectedPresetPath();
  if (path.isEmpty()) {
    // Emptying the boxes, as reading no file would, throws the setting away.
    Tell(form_, QMessageBox::Information,
         QStringLiteral("There is no preset to load: %1 holds none.").arg(Folder(form_)));
    return;
  }
  const std::optional<LoadedPreset> preset = LoadPreset(path.toStdString());
  if (!preset) {
    // Keep the current setting: emptying the boxes would throw it away.
    const QString name =
        ShownName(QString::fromStdString(PresetDisplayName(QFileInfo(path).fileName().toStdString())));
    const bool gone = !std::filesystem::exists(PathFromUtf8(path.toStdString()));
    form_.refreshPresetList();
    Tell(form_, QMessageBox::Warning,
         gone ? QStringLiteral("The [%1] preset is no longer in %2.").arg(name, Folder(form_))
              : QStringLiteral("The [%1] preset could not be read; nothing was loaded.").arg(name));
    return;
  }
  form_.fontColorEdit()->setText(QString::fromStdString(preset->fontColor));
  form_.backgroundColorEdit()->setText(QString::fromStdString(preset->backgroundColor));
  form_.fontFaceEdit()->setText(QString::fromStdString(preset->face));
  form_.fontSizeEdit()->setText(QString::fromStdString(preset->size));
  if (preset->style) form_.showStyleCode(*preset->style);
}

}  // namespace huevox
