#pragma once
#include <functional>

namespace huevox {

// Work that must happen even when the program ends in the middle of an
// operation (such as removing a file that only exists during it).
void AtEnd(std::function<void()> work);

// Ends the program at once, from wherever it is called, after the AtEnd work
// and after handing the clipboard to the desktop's clipboard manager. It
// deletes the application object, which must have been made with new.
[[noreturn]] void EndProgram();

}  // namespace huevox
