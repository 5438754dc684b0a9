#pragma once
#include <QProcess>

namespace fakeinput {

// A shell command beside the X server, waited for.
inline bool Shell(const QString& command) { return QProcess::execute("sh", {"-c", command}) == 0; }

}  // namespace fakeinput
