#include "output/messengerupdate.h"

#include <filesystem>
#include <set>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>

#include "ui/endprogram.h"
#include "ui/mainform.h"
#include "ui/timing.h"
#include "output/confirmbuddylistload.h"
#include "output/pagetext.h"
#include "output/shellopen.h"
#include "ui/usermessage.h"
#include "platform/shellopen.h"
#include "settings/fileio.h"
#include "settings/textcodec.h"

namespace huevox {

void RemoveFontFileLeftBehind() {
  const QString folder = OutputFolder();
  if (!folder.isEmpty()) QFile::remove(QDir(folder).filePath(QString::fromLatin1(kFontSettingsFileName)));
}

MessengerUpdate::MessengerUpdate(MainForm& form, std::unique_ptr<platform::DialogAutomation> automation,
                                 QObject* parent)
    : QObject(parent),
      form_(form),
      automation_(std::move(automation)) {}

MessengerUpdate::~MessengerUpdate() = default;

QString MessengerUpdate::filePath() const {
  const QString folder = folder_.isEmpty() ? OutputFolder() : folder_;
  if (folder.isEmpty()) return {};
  return QDir(folder).absoluteFilePath(QString::fromLatin1(kFontSettingsFileName));
}

void MessengerUpdate::updateMessenger() {
  // Handlers run inside this one's waits: a second update would answer the
  // same dialogs and remove the file under the first.
  if (running_) return;
  running_ = true;
  // Shows that a second one cannot start now.
  const QPointer<QWidget> trigger = qobject_cast<QWidget*>(sender());
  if (trigger) trigger->setEnabled(false);
  const QString problem = run();
  if (trigger) trigger->setEnabled(true);
  running_ = false;
  if (!problem.isEmpty()) TellUser(form_.formWindow(), problem);
  emit finished(problem.isEmpty(), problem);
}

QString MessengerUpdate::run() {
  if (!automation_) automation_ = platform::CreateDialogAutomation(Pause);
  if (const std::string why = automation_->Unavailable(); !why.empty())
    return QString::fromStdString(why);

  const FontSetting setting = form_.currentSetting();
  // A list of its own: a preview started during the waits cannot take these lines.
  const std::vector<std::string> lines = FontSettingsFileLines(setting);
  const QString path = filePath();
  if (path.isEmpty())
    return QStringLiteral("The font settings file could not be written: there is no folder for it.");
  // Otherwise the opener may hand the file to a web browser, and no dialog comes.
  if (!platform::ProgramRegisteredFor(QDir::toNativeSeparators(path).toStdString())) {
    const QString where = QString::fromStdString(platform::WhereToSetTheMessenger());
    return QStringLiteral("No program is set to open .blt files, so the messenger could not be "
                          "updated. Set the messenger to open .blt files and try again.") +
           (where.isEmpty() ? QString() : ' ' + where);
  }

  // The file goes when the update ends, unless the messenger got it and was
  // not answered: then it may still read the file once the user answers it.
  struct RemoveAtEnd {
    std::filesystem::path file;
    bool keep = false;
    ~RemoveAtEnd() {
      std::error_code alreadyGone;
      if (!keep) std::filesystem::remove(file, alreadyGone);
    }
  } removeAtEnd{PathFromUtf8(path.toStdString())};
  // A kept file goes with the program; ending it during a wait skips that
  // destructor too. The next update writes over a kept file.
  static std::set<std::string> removedWhenTheProgramEnds;
  if (removedWhenTheProgramEnds.insert(path.toStdString()).second) {
    AtEnd([file = removeAtEnd.file] {
      std::error_code alreadyGone;
      std::filesystem::remove(file, alreadyGone);
    });
  }

  if (const QString why = WriteOutputFile(path, lines); !why.isEmpty()) {
    return QStringLiteral("The font settings file could not be written to %1: %2.")
        .arg(ShownName(QDir::toNativeSeparators(path)), why);
  }
  // Windows with the dialogs' titles that are there before the hand-over are
  // not the messenger's answer to it.
  const std::vector<platform::WindowId> before = OpenDialogs(*automation_);
  const ShellOpenResult opened = ShellOpen(path);
  if (!opened.opened) {
    return QStringLiteral("The messenger could not be given %1: %2.")
        .arg(ShownName(QDir::toNativeSeparators(path)), opened.problem);
  }
  PauseWholeSeconds(1);
  const ConfirmResult result = ConfirmBuddyListLoad(*automation_, before, dialogWaits_);
  if (result.done) return {};
  removeAtEnd.keep = true;
  return result.problem +
         QStringLiteral(" The font settings file %1 stays until the next update or until "
                        "Huevox is closed.")
             .arg(ShownName(QDir::toNativeSeparators(path)));
}

}  // namespace huevox
