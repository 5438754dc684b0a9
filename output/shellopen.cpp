#include "output/shellopen.h"

#include <QDir>
#include <QStandardPaths>
#include <filesystem>

#include "platform/shellopen.h"
#include "settings/fileio.h"
#include "settings/textcodec.h"

namespace huevox {

QString OutputFolder() { return QStandardPaths::writableLocation(QStandardPaths::CacheLocation); }

QString WriteOutputFile(const QString& path, const std::vector<std::string>& lines) {
  std::error_code error;
  std::filesystem::create_directories(PathFromUtf8(path.toStdString()).parent_path(), error);
  if (!error) error = SaveListToFile(path.toStdString(), lines);
  return error ? QString::fromStdString(DescribeError(error)) : QString();
}

ShellOpenResult ShellOpen(const QString& file) {
  if (file.isEmpty() || !QDir::isAbsolutePath(file))
    return {false, QStringLiteral("“%1” is not a full path").arg(file)};
  const platform::OpenResult result =
      platform::OpenWithAssociation(QDir::toNativeSeparators(file).toStdString());
  return {result.opened, QString::fromStdString(result.problem)};
}

}  // namespace huevox
