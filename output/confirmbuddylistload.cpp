#include "output/confirmbuddylistload.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include <QDeadlineTimer>

#include "ui/timing.h"

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

QString NotAnswered(const char* title) {
  return QStringLiteral("The messenger's “%1” dialog could not be answered: pressing its first "
                        "button did not close it. Please answer the messenger yourself.")
      .arg(QString::fromUtf8(title));
}

// Sleeps in the event loop between looks; true when the condition held in time.
template <typename Condition>
bool PollUntil(Condition condition, double seconds) {
  const QDeadlineTimer deadline(
      std::chrono::milliseconds(std::llround(std::max(0.0, seconds) * 1000)));
  for (;;) {
    if (condition()) return true;
    if (deadline.hasExpired()) return false;
    Pause(std::min(kDialogPollSeconds, deadline.remainingTime() / 1000.0 + 0.001));
  }
}

}  // namespace

std::vector<platform::WindowId> OpenDialogs(platform::DialogAutomation& automation) {
  std::vector<platform::WindowId> open = automation.FindDialogs(kLoadBuddyListTitle);
  for (platform::WindowId w : automation.FindDialogs(kMessengerTitle)) open.push_back(w);
  return open;
}

platform::WindowId WaitForDialog(platform::DialogAutomation& automation, const char* title,
                                 double seconds, const std::vector<platform::WindowId>& ignored) {
  platform::WindowId dialog = 0;
  PollUntil([&] { return (dialog = automation.FindDialog(title, ignored)) != 0; }, seconds);
  return dialog;
}

ConfirmResult ConfirmBuddyListLoad(platform::DialogAutomation& automation,
                                   const std::vector<platform::WindowId>& before,
                                   DialogWaits waits) {
  for (const bool second : {false, true}) {
    const char* title = second ? kMessengerTitle : kLoadBuddyListTitle;
    const double wait = second ? waits.second : waits.first;
    if (!WaitForDialog(automation, title, wait, before)) return {false, NotShown(title, wait)};
    Pause(kSettleSeconds);
    // Looked up again: the dialog may have gone during the pause.
    const platform::WindowId dialog = automation.FindDialog(title, before);
    const auto gone = [&] {
      const auto open = automation.FindDialogs(title);
      return std::find(open.begin(), open.end(), dialog) == open.end();
    };
    if (!dialog || !automation.PressFirstButton(dialog) || !PollUntil(gone, kAnswerSeconds))
      return {false, NotAnswered(title)};
  }
  return {true, {}};
}

}  // namespace huevox
