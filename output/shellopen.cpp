#include "output/shellopen.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#endif

namespace huevox {
namespace {

// Failures of the opener come within a fraction of a second; an opener still
// running after this has started a program and waits for it.
constexpr int kOpenerVerdictMs = 2000;

#ifndef _WIN32
QString XdgOpenProblem(int exitCode) {
  switch (exitCode) {
    case 2: return QStringLiteral("the file is not there");
    case 3: return QStringLiteral("no program is set to open this type of file");
    case 4: return QStringLiteral("the program set to open this type of file failed");
    default: return QStringLiteral("xdg-open ended with status %1").arg(exitCode);
  }
}
#endif

}  // namespace

QString OutputFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) return {};
  return folder;
}

ShellOpenResult ShellOpen(const QString& file) {
  if (file.isEmpty() || !QDir::isAbsolutePath(file))
    return {false, QStringLiteral("“%1” is not a full path").arg(file)};
#ifdef _WIN32
  const std::wstring path = QDir::toNativeSeparators(file).toStdWString();
  const auto code = reinterpret_cast<INT_PTR>(
      ShellExecuteW(GetDesktopWindow(), L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (code > 32) return {true, {}};
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return {false, QStringLiteral("the file is not there")};
    case SE_ERR_NOASSOC: return {false, QStringLiteral("no program is set to open this type of file")};
    case SE_ERR_ACCESSDENIED: return {false, QStringLiteral("access was denied")};
    default: return {false, QStringLiteral("the shell refused it (error %1)").arg(code)};
  }
#else
  // Owned by the application, so an opener that outlives this call is not
  // killed with it. The opened program gets no pipes of ours, so it cannot be
  // hurt when we go.
  auto* opener = new QProcess(QCoreApplication::instance());
  opener->setStandardInputFile(QProcess::nullDevice());
  opener->setStandardOutputFile(QProcess::nullDevice());
  opener->setStandardErrorFile(QProcess::nullDevice());
  opener->start(QStringLiteral("xdg-open"), {file});
  if (!opener->waitForStarted()) {
    delete opener;
    return {false, QStringLiteral("xdg-open could not be started (is xdg-utils installed?)")};
  }

  QEventLoop loop;
  QTimer bound;
  bound.setSingleShot(true);
  QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(opener, &QProcess::finished, &loop, &QEventLoop::quit);
  bound.start(kOpenerVerdictMs);
  loop.exec();
  if (opener->state() != QProcess::NotRunning) {
    QObject::disconnect(opener, nullptr, &loop, nullptr);
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    return {true, {}};
  }
  ShellOpenResult result{true, {}};
  if (opener->exitStatus() == QProcess::CrashExit)
    result = {false, QStringLiteral("xdg-open stopped unexpectedly")};
  else if (opener->exitCode() != 0)
    result = {false, XdgOpenProblem(opener->exitCode())};
  opener->deleteLater();
  return result;
#endif
}

}  // namespace huevox
