#include "local_hard_drives.h"

#include <QFileInfo>
#include <QStringList>

QString LocalHardDrives(const QList<MountedDrive>& drives) {
  QStringList roots;
  for (const MountedDrive& drive : drives) {
    if (drive.type != DriveType::kFixed || !QFileInfo(drive.rootPath).isDir()) continue;
    if (!roots.contains(drive.rootPath)) roots.append(drive.rootPath);
  }
  QString text;
  for (const QString& root : roots) text += root + u';';
  return text;
}
