#pragma once
// Answering the two dialogs the messenger shows after it has read a font
// settings file.
#include <QString>

#include "platform/dialogautomation.h"

namespace huevox {

inline constexpr const char* kLoadBuddyListTitle = "Load Buddy List";
inline constexpr const char* kMessengerTitle = "AOL Instant Messenger";
// How long each dialog is waited for, in seconds.
inline constexpr double kDialogWaitSeconds = 10;
// Between two look-ups; events are handled meanwhile.
inline constexpr double kDialogPollSeconds = 0.04;

struct ConfirmResult {
  bool done = false;
  QString problem;  // for the user; empty when both dialogs were pressed
};

// The dialog with that exact title, looked for again and again until it is
// there or the wait is over (0 then). Sleeps in the event loop between looks.
platform::WindowId WaitForDialog(platform::DialogAutomation& automation, const char* title,
                                 double seconds);

// Presses the first button of "Load Buddy List", waits for "AOL Instant
// Messenger" and presses its first button. A dialog that does not come within
// the wait gets no key press, and nothing after it is done.
ConfirmResult ConfirmBuddyListLoad(platform::DialogAutomation& automation,
                                   double dialogWaitSeconds = kDialogWaitSeconds);

}  // namespace huevox
