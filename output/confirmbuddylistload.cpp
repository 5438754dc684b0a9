#include "output/confirmbuddylistload.h"

#include <chrono>
#include <cmath>

#include <QDeadlineTimer>

#include "app/timing.h"

namespace huevox {
namespace {

// Lets the dialog settle (take focus, lay out its buttons) before the key comes.
constexpr double kSettleSeconds = 0.2;

QString NotShown(const char* title, double seconds) {
  return QStringLiteral("The messenger did not show its “%1” dialog within %2 seconds, so it was "
                        "not answered. Please answer the messenger yourself.")
      .arg(QString::fromUtf8(title))
      .arg(seconds);
}

QString NotPressed(const char* title) {
  return QStringLiteral("The first button of the messenger's “%1” dialog could not be pressed. "
                        "Please answer the messenger yourself.")
      .arg(QString::fromUtf8(title));
}

}  // namespace

platform::WindowId WaitForDialog(platform::DialogAutomation& automation, const char* title,
                                 double seconds) {
  const QDeadlineTimer deadline(
      std::chrono::milliseconds(std::llround(std::max(0.0, seconds) * 1000)));
  for (;;) {
    if (const platform::WindowId dialog = automation.FindDialog(title)) return dialog;
    if (deadline.hasExpired()) return 0;
    Pause(std::min(kDialogPollSeconds, deadline.remainingTime() / 1000.0 + 0.001));
  }
}

ConfirmResult ConfirmBuddyListLoad(platform::DialogAutomation& automation,
                                   double dialogWaitSeconds) {
  for (const char* title : {kLoadBuddyListTitle, kMessengerTitle}) {
    if (!WaitForDialog(automation, title, dialogWaitSeconds))
      return {false, NotShown(title, dialogWaitSeconds)};
    Pause(kSettleSeconds);
    // Looked up again: the dialog may have gone during the pause.
    const platform::WindowId dialog = automation.FindDialog(title);
    if (!dialog || !automation.PressFirstButton(dialog)) return {false, NotPressed(title)};
  }
  return {true, {}};
}

}  // namespace huevox
