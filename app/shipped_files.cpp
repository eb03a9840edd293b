#include "shipped_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

constexpr char kInstalledFolder[] = "../share/tessaly";

}  // namespace

QStringList ShippedFileCandidates(const QString& name, const QString& executableFolder) {
  const QDir folder(executableFolder);
  return {folder.filePath(name),
          QDir::cleanPath(folder.filePath(QString::fromLatin1(kInstalledFolder) + u'/' + name))};
}

QString FindShippedFile(const QString& name, const QString& executableFolder) {
  for (const QString& candidate : ShippedFileCandidates(name, executableFolder))
    if (QFileInfo(candidate).isFile()) return candidate;
  return QString();
}

QString FindShippedFile(const QString& name) {
  return FindShippedFile(name, QCoreApplication::applicationDirPath());
}
