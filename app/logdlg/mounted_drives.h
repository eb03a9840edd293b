#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// What kind of drive a mounted file system is; the codes are those of the drive texts.
enum class DriveType : int {
  kUnknown = 0,
  kInvalidRootPath = 1,
  kRemovable = 2,
  kFixed = 3,
  kRemote = 4,
  kCdRom = 5,
  kRamDisk = 6,
};

struct MountedDrive {
  QString rootPath;  // the mount point
  DriveType type = DriveType::kUnknown;
};

// Tells whether a device path (such as /dev/sdb1) names a removable block device.
using RemovableDeviceQuery = std::function<bool(const QString& device)>;

// The drives of a mount table in the format of /proc/self/mounts, in mount order. Pseudo
// file systems are left out; a mount point mounted over is listed once, where its last
// mount stands.
QList<MountedDrive> ListMountedDrives(const QByteArray& mountTable,
                                      const RemovableDeviceQuery& isRemovable);

// The drives of this process's mount table.
QList<MountedDrive> ListMountedDrives();

// The raw text of /proc/self/mounts.
QByteArray ReadProcMountsText();
bool IsRemovableBlockDevice(const QString& device);
