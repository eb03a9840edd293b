#include "local_hard_drives.h"

#include <sys/stat.h>

#include <QFile>
#include <QStringList>

namespace {
bool IsFolder(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
}  // namespace

QString LocalHardDrives(const std::vector<MountEntry>& mounts) {
  QStringList roots;
  for (const MountEntry& mount : mounts) {
    if (mount.Kind != DriveKind::Fixed || !IsFolder(mount.MountPoint)) continue;
    const QString root = QFile::decodeName(QByteArray::fromStdString(mount.MountPoint));
    if (!roots.contains(root)) roots.append(root);
  }
  QString text;
  for (const QString& root : roots) text += root + u';';
  return text;
}
