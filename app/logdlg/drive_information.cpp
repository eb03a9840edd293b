#include "logdlg/drive_information.h"

#include <sys/statvfs.h>

#include <QFile>

#include "app_strings.h"
#include "logdlg/logdlg_strings.h"

namespace {

QString DriveTypeText(DriveType type) {
  return LogDlgText(kTextDriveTypeBase + static_cast<int>(type));
}

}  // namespace

DiskSpace QueryDiskSpace(const QString& rootPath) {
  struct statvfs status {};
  if (statvfs(QFile::encodeName(rootPath).constData(), &status) != 0) return {};
  return {qint64(status.f_blocks) * qint64(status.f_frsize),
          qint64(status.f_bavail) * qint64(status.f_frsize)};
}

void AddDriveInformation(QStringList& list, const QList<MountedDrive>& drives,
                         const DiskSpaceQuery& diskSpace) {
  list.append(LogDlgText(kTextDriveInformation));
  for (const MountedDrive& drive : drives) {
    if (drive.type == DriveType::kFixed) {
      const DiskSpace space = diskSpace(drive.rootPath);
      list.append(LogDlgText(kTextFixedDriveLine)
                      .arg(drive.rootPath, DriveTypeText(drive.type), GroupedNumber(space.total),
                           GroupedNumber(space.free)));
    } else {
      list.append(LogDlgText(kTextDriveLine).arg(drive.rootPath, DriveTypeText(drive.type)));
    }
  }
}

void AddDriveInformation(QStringList& list) {
  AddDriveInformation(list, ListMountedDrives(), QueryDiskSpace);
}
