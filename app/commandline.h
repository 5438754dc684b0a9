#pragma once
// The few options the program takes; everything else is done in its windows.

namespace huevox {

// Answers --help and --version, and refuses anything else, before anything
// needs a display. Returns the exit status when the program is to end here,
// -1 when it is to start.
int AnswerCommandLine(int argc, char* argv[]);

}  // namespace huevox
