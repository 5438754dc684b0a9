#include "output/preview.h"

#include <QDir>
#include <QLineEdit>

#include "output/pagetext.h"
#include "output/shellopen.h"
#include "settings/fileio.h"
#include "settings/presetstore.h"
#include "ui/mainform.h"
#include "ui/usermessage.h"

namespace huevox {
Preview::Preview(MainForm& form, QObject* parent) : QObject(parent), form_(form) {}

QString Preview::pagePath() const {
  const QString folder = folder_.isEmpty() ? OutputFolder() : folder_;
  if (folder.isEmpty()) return {};
  return QDir(folder).absoluteFilePath(QString::fromLatin1(kPreviewPageName));
}

void Preview::previewCurrentSetting() {
  // A list of its own: an update waiting for the messenger keeps its lines.
  const std::vector<std::string> lines{PreviewPageLine(form_.currentSetting())};

  const QString path = pagePath();
  if (path.isEmpty()) {
    TellUser(form_.formWindow(), QStringLiteral("The preview page could not be written: there is no "
                                            "folder for it."));
    emit previewed(false);
    return;
  }
  if (const QString why = WriteOutputFile(path, lines); !why.isEmpty()) {
    TellUser(form_.formWindow(), QStringLiteral("The preview page could not be written to %1: %2.")
                                 .arg(ShownName(QDir::toNativeSeparators(path)), why));
    emit previewed(false);
    return;
  }
  const ShellOpenResult opened = ShellOpen(path);
  if (!opened.opened) {
    TellUser(form_.formWindow(), QStringLiteral("The preview page %1 could not be opened: %2.")
                                 .arg(ShownName(QDir::toNativeSeparators(path)), opened.problem));
  }
  emit previewed(opened.opened);
}

void Preview::previewSelectedPreset() {
  const QString preset = form_.selectedPresetPath();
  if (preset.isEmpty()) {
    // Emptying the fields for a page of empty values would throw the setting away.
    TellUser(form_.formWindow(),
             QStringLiteral("There is no preset to preview: %1 holds none.")
                 .arg(ShownName(QDir::toNativeSeparators(form_.presetsFolder()))),
             QMessageBox::Information);
    emit previewed(false);
    return;
  }
  // Not the Load button's read: here a file that has gone gives empty values,
  // as missing keys do, and the style stays.
  const LoadedPreset values = LoadPreset(preset.toStdString()).value_or(LoadedPreset{});
  form_.fontColorEdit()->setText(QString::fromStdString(values.fontColor));
  form_.backgroundColorEdit()->setText(QString::fromStdString(values.backgroundColor));
  form_.fontFaceEdit()->setText(QString::fromStdString(values.face));
  form_.fontSizeEdit()->setText(QString::fromStdString(values.size));
  previewCurrentSetting();
}

}  // namespace huevox
