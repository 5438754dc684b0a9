#pragma once
// Opening a file with the program the desktop associates with its type: the
// part of the shell's work that Qt cannot do (QDesktopServices gives no reason
// for a failure and cannot tell a real association from a browser fallback).
// One backend per platform, picked at build time; no Qt in this header.
#include <string>

namespace huevox::platform {

struct OpenResult {
  bool opened = false;
  std::string problem;  // why not, a phrase for the user (UTF-8); empty when opened
};

// Hands `path` (absolute, UTF-8) to the desktop's opener and returns without
// waiting for the program it starts. `opened` says the opener accepted it: a
// program was started on the file.
OpenResult OpenWithAssociation(const std::string& path);

// Whether a program is registered for files named like `path` (by its
// extension; the file need not exist yet). A web browser that the opener
// would fall back on for any file does not count.
bool ProgramRegisteredFor(const std::string& path);

// Where the user reads how to make a program the one for .blt files, as a
// sentence to add to the message that none is (UTF-8); empty where the
// system's own settings are the way.
std::string WhereToSetTheMessenger();

}  // namespace huevox::platform
