#pragma once
#include <QMessageBox>
#include <QString>

class QWidget;

namespace huevox {

// Every message to the user: a box titled "Huevox". Modal ones wait for OK
// (a save's outcome, before the user goes on); the others stay until the
// user closes them and hold nothing up (an update's outcome, which comes
// from inside its waits).
enum class MessageWait { ForOk, No };
void TellUser(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::Warning,
              MessageWait wait = MessageWait::No);

// A name (a preset's, a path) as messages show it: past 60 characters its
// middle gives way to "…", so that no box grows wider than a screen.
QString ShownName(const QString& name);

}  // namespace huevox
