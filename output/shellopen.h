#pragma once
// Opening a file with the user's default program for its type.
#include <QString>
#include <string>
#include <vector>

namespace huevox {

struct ShellOpenResult {
  bool opened = false;
  QString problem;  // why not, for the user; empty when opened
};

// Hands an absolute path to the desktop's opener (platform/shellopen.h) and
// tells whether a program took it. Relative paths are refused: the opener would resolve them against a
// folder of its own.
ShellOpenResult ShellOpen(const QString& file);

// Where the program's output files go: the per-user cache folder. Empty when
// the system names none.
QString OutputFolder();

// Writes the lines (as SaveListToFile does) to a file whose folder is made
// first when missing. Empty on success, else the reason, for the user.
QString WriteOutputFile(const QString& path, const std::vector<std::string>& lines);

}  // namespace huevox
