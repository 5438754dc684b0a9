#include "output/preview.h"

#include <QDir>
#include <QLineEdit>
#include <QWidget>

#include "output/pagetext.h"
#include "output/shellopen.h"
#include "output/usermessage.h"
#include "settings/fileio.h"
#include "settings/presetstore.h"

namespace huevox {
namespace {

std::string TextOf(QLineEdit* box) { return box ? box->text().toStdString() : std::string(); }

void SetTextOf(QLineEdit* box, const std::string& text) {
  if (box) box->setText(QString::fromStdString(text));
}

}  // namespace

Preview::Preview(FontFields fields, std::function<QString()> selectedPresetPath,
                 QWidget* messageParent, QObject* parent)
    : QObject(parent),
      fields_(fields),
      selectedPresetPath_(std::move(selectedPresetPath)),
      messageParent_(messageParent) {}

QString Preview::pagePath() const {
  const QString folder = folder_.isEmpty() ? OutputFolder() : folder_;
  if (folder.isEmpty()) return {};
  return QDir(folder).absoluteFilePath(QString::fromLatin1(kPreviewPageName));
}

void Preview::previewCurrentSetting() {
  FontSetting setting;
  setting.backgroundColor = TextOf(fields_.backgroundColor);
  setting.face = TextOf(fields_.face);
  setting.fontColor = TextOf(fields_.fontColor);
  setting.size = TextOf(fields_.size);
  // A list of its own: an update waiting for the messenger keeps its lines.
  const std::vector<std::string> lines{PreviewPageLine(setting)};

  const QString path = pagePath();
  if (path.isEmpty()) {
    TellUser(messageParent_, QStringLiteral("The preview page could not be written: there is no "
                                            "folder for it."));
    emit previewed(false);
    return;
  }
  if (const std::error_code error = SaveListToFile(path.toStdString(), lines)) {
    TellUser(messageParent_, QStringLiteral("The preview page could not be written to %1: %2.")
                                 .arg(QDir::toNativeSeparators(path),
                                      QString::fromStdString(DescribeError(error))));
    emit previewed(false);
    return;
  }
  const ShellOpenResult opened = ShellOpen(path);
  if (!opened.opened) {
    TellUser(messageParent_, QStringLiteral("The preview page %1 could not be opened: %2.")
                                 .arg(QDir::toNativeSeparators(path), opened.problem));
  }
  emit previewed(opened.opened);
}

void Preview::previewSelectedPreset() {
  const QString preset = selectedPresetPath_ ? selectedPresetPath_() : QString();
  if (preset.isEmpty()) return;
  // A file that has gone gives empty values, as missing keys do; the style stays.
  const LoadedPreset values = LoadPreset(preset.toStdString()).value_or(LoadedPreset{});
  SetTextOf(fields_.fontColor, values.fontColor);
  SetTextOf(fields_.backgroundColor, values.backgroundColor);
  SetTextOf(fields_.face, values.face);
  SetTextOf(fields_.size, values.size);
  previewCurrentSetting();
}

}  // namespace huevox
