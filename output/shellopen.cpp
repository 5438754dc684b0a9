#include "output/shellopen.h"

#include <QDir>
#include <QStandardPaths>

#include "platform/shellopen.h"

namespace huevox {

QString OutputFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) return {};
  return folder;
}

ShellOpenResult ShellOpen(const QString& file) {
  if (file.isEmpty() || !QDir::isAbsolutePath(file))
    return {false, QStringLiteral("“%1” is not a full path").arg(file)};
  const platform::OpenResult result =
      platform::OpenWithAssociation(QDir::toNativeSeparators(file).toStdString());
  return {result.opened, QString::fromStdString(result.problem)};
}

}  // namespace huevox
