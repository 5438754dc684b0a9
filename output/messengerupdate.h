#pragma once
// Pushing the current setting into the running messenger: write its font
// settings file, let the messenger open it, answer its two dialogs, remove the
// file again. A messenger left unanswered keeps its file until the next update
// or the program's end.
#include <memory>

#include <QObject>
#include <QString>

#include "output/confirmbuddylistload.h"
#include "platform/dialogautomation.h"

namespace huevox {

class MainForm;

// Removes the font settings file that an earlier run left when it was ended
// without its own ending (a crash, a power cut). Called once at start.
void RemoveFontFileLeftBehind();

class MessengerUpdate : public QObject {
  Q_OBJECT
 public:
  // Without an automation, the one for this platform is made on first use.
  MessengerUpdate(MainForm& form, std::unique_ptr<platform::DialogAutomation> automation, QObject* parent);
  ~MessengerUpdate() override;

  // The folder the file goes to; the per-user cache folder unless set.
  void setFolder(const QString& folder) { folder_ = folder; }
  // How long each of the messenger's dialogs is waited for (DialogWaits unless set).
  void setDialogWait(double seconds) { dialogWaits_ = {seconds, seconds}; }
  QString filePath() const;

 public slots:
  // Refused (does nothing) while an update is under way. The widget whose
  // signal starts it (the "Update Aim" button) is disabled until it ends.
  void updateMessenger();

 signals:
  // At the end of every update that was started; problem is empty on success.
  void finished(bool done, const QString& problem);

 private:
  QString run();

  MainForm& form_;
  std::unique_ptr<platform::DialogAutomation> automation_;
  QString folder_;
  DialogWaits dialogWaits_;
  bool running_ = false;
};

}  // namespace huevox
