// Free desktops: xdg-open opens, the shared MIME database and xdg-mime tell
// the association. Without a desktop environment xdg-open falls back on any
// web browser it finds, so "registered" is asked of the association itself.
#include "platform/shellopen.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace huevox::platform {
namespace {

// Failures of the opener come within a fraction of a second; an opener still
// running after this has started a program and waits for it.
constexpr int kOpenerVerdictMs = 2000;
constexpr int kQueryMs = 5000;

std::string XdgOpenProblem(int exitCode) {
  switch (exitCode) {
    case 2: return "the file is not there";
    case 3: return "no program is set to open this type of file";
    case 4: return "the program set to open this type of file failed";
    default: return "xdg-open ended with status " + std::to_string(exitCode);
  }
}

// The desktop entry's text, looked up as xdg-open does (vendor-app.desktop
// may also live at vendor/app.desktop); empty when there is none.
QByteArray DesktopEntry(const QString& id) {
  QString file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
  if (file.isEmpty() && id.contains('-'))
    file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation,
                                  QString(id).replace(id.indexOf('-'), 1, '/'));
  QFile entry(file);
  return !file.isEmpty() && entry.open(QIODevice::ReadOnly) ? entry.readAll() : QByteArray();
}

bool IsWebBrowser(const QByteArray& entry) {
  for (const QByteArray& line : entry.split('\n')) {
    if ((line.startsWith("Categories=") && line.contains("WebBrowser")) ||
        (line.startsWith("MimeType=") && line.contains("x-scheme-handler/http;")))
      return true;
  }
  return false;
}

// xdg-open may become the opened program itself: taking the application
// down must neither kill that program nor warn that it still runs.
class Opener : public QProcess {
 public:
  using QProcess::QProcess;
  ~Opener() override { setProcessState(QProcess::NotRunning); }
};

}  // namespace

OpenResult OpenWithAssociation(const std::string& path) {
  // Owned by the application, so an opener that outlives this call is not
  // killed with it. The opened program gets no pipes of ours, so it cannot be
  // hurt when we go.
  auto* opener = new Opener(QCoreApplication::instance());
  opener->setStandardInputFile(QProcess::nullDevice());
  opener->setStandardOutputFile(QProcess::nullDevice());
  opener->setStandardErrorFile(QProcess::nullDevice());
  opener->start(QStringLiteral("xdg-open"), {QString::fromStdString(path)});
  if (!opener->waitForStarted()) {
    delete opener;
    return {false, "xdg-open could not be started (is xdg-utils installed?)"};
  }

  // Events are handled meanwhile; the loop ends with the opener or the bound.
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
  OpenResult result{true, {}};
  if (opener->exitStatus() == QProcess::CrashExit)
    result = {false, "xdg-open stopped unexpectedly"};
  else if (opener->exitCode() != 0)
    result = {false, XdgOpenProblem(opener->exitCode())};
  opener->deleteLater();
  return result;
}

bool ProgramRegisteredFor(const std::string& path) {
  const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromStdString(path),
                                                         QMimeDatabase::MatchExtension);
  // The catch-all type is what every unknown file gets.
  if (!type.isValid() || type.isDefault()) return false;
  QProcess query;
  query.setStandardErrorFile(QProcess::nullDevice());
  query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                           type.name()});
  if (!query.waitForFinished(kQueryMs) || query.exitStatus() != QProcess::NormalExit ||
      query.exitCode() != 0)
    return false;
  const QString id = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
  if (id.isEmpty()) return false;
  const QByteArray entry = DesktopEntry(id);
  return !entry.isEmpty() && !IsWebBrowser(entry);
}

// A messenger here runs under Wine, and desktops offer no setting for a
// Windows program: the manual page and the README give the steps.
std::string WhereToSetTheMessenger() {
  return "For a messenger under Wine, the steps are under MESSENGER UNDER WINE in \"man huevox\".";
}

}  // namespace huevox::platform
