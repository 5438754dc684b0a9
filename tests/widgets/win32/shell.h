#pragma once
// The Windows tests run under Wine, whose windows are the X server's: the
// input comes through X as a Wine user's does. SendInput would stay inside
// Wine and skip what X events make it do, such as the grab a warp takes away.
#include <windows.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace fakeinput {

// Wine's Unix name of a Windows path; empty on Windows itself.
inline QString UnixName(const QString& path) {
  using Convert = char*(__cdecl*)(const wchar_t*);
  const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = convert ? convert(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16())) : nullptr;
  const QString unixName = QString::fromLocal8Bit(name);
  if (name) HeapFree(GetProcessHeap(), 0, name);
  return unixName;
}

// A shell command beside the X server Wine draws on, waited for; false on
// Windows itself. Wine starts a Unix program but cannot wait for it: it leaves
// a mark, in the test's temporary folder, when done.
inline bool Shell(const QString& command) {
  const QString mark = QDir::temp().filePath(QStringLiteral("huevox-xinput-%1").arg(GetCurrentProcessId()));
  const QString unixMark = UnixName(mark);
  QFile::remove(mark);
  return !unixMark.isEmpty() &&
         QProcess::startDetached("Z:/bin/sh", {"-c", command + " && touch '" + unixMark + "'"}) &&
         QTest::qWaitFor([&] { return QFile::remove(mark); }, 5000);
}

}  // namespace fakeinput
