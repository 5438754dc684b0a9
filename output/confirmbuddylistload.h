#pragma once
// Answering the two dialogs the messenger shows after it has read a font
// settings file.
#include <vector>

#include <QString>

#include "platform/dialogautomation.h"

namespace huevox {

inline constexpr const char* kLoadBuddyListTitle = "Load Buddy List";
inline constexpr const char* kMessengerTitle = "AOL Instant Messenger";
// How long the dialogs are waited for, in seconds. The first comes from a
// messenger that may still be starting: under Wine a cold start takes seconds,
// one that makes its prefix first 15 s and more. The second comes from a
// messenger that is running and has just been answered.
struct DialogWaits {
  double first = 30;
  double second = 10;
};
// Between two look-ups; events are handled meanwhile.
inline constexpr double kDialogPollSeconds = 0.04;

struct ConfirmResult {
  bool done = false;
  QString problem;  // for the user; empty when both dialogs were pressed
};

// How long a pressed dialog may take to go away before it counts as unanswered.
inline constexpr double kAnswerSeconds = 2;

// Every window now open with either title. Noted before the file is handed
// over, they are someone else's: the messenger may already be running, so its
// process does not tell its new dialogs from windows that were there before.
std::vector<platform::WindowId> OpenDialogs(platform::DialogAutomation& automation);

// A dialog with that exact title other than `ignored`, looked for again and
// again until it is there or the wait is over (0 then). Sleeps in the event
// loop between looks.
platform::WindowId WaitForDialog(platform::DialogAutomation& automation, const char* title,
                                 double seconds, const std::vector<platform::WindowId>& ignored = {});

// Presses the first button of "Load Buddy List", waits for "AOL Instant
// Messenger" and presses its first button; windows in `before` are never
// taken. A dialog that does not come within the wait gets no key press; a
// pressed dialog that does not go away within kAnswerSeconds was not answered.
// Either way nothing after it is done.
ConfirmResult ConfirmBuddyListLoad(platform::DialogAutomation& automation,
                                   const std::vector<platform::WindowId>& before = {},
                                   DialogWaits waits = {});

}  // namespace huevox
