#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// The one reader of the mount table: the drive block of a saved log and the search dialog's
// local hard drives and folder walk all take the mounts from here.

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

// One line of the mount table.
struct MountEntry {
  QString device;  // what is mounted, such as /dev/sda1
  QString mountPoint;
  QByteArray fileSystem;
  dev_t deviceNumber = 0;  // as st_dev reports it for files on this mount
};

struct MountedDrive {
  QString rootPath;  // the mount point
  DriveType type = DriveType::kUnknown;
};

// Tells whether a device path (such as /dev/sdb1) names a removable block device.
using RemovableDeviceQuery = std::function<bool(const QString& device)>;

// The mounts of a table in the format of /proc/self/mountinfo, in mount order; a line that
// cannot be read is left out.
QList<MountEntry> ParseMountTable(const QByteArray& mountInfo);
// This process's mounts.
QList<MountEntry> ReadMountTable();

// Kernel interfaces and automount placeholders: they hold no user files.
bool IsPseudoFileSystem(const QByteArray& fileSystem);
// The drive type of a mount that is no pseudo file system.
DriveType ClassifyMount(const MountEntry& entry, const RemovableDeviceQuery& isRemovable);

// The drives among the mounts, in mount order. Pseudo file systems are left out; a mount
// point mounted over is listed once, where its last mount stands.
QList<MountedDrive> ListMountedDrives(const QList<MountEntry>& mounts,
                                      const RemovableDeviceQuery& isRemovable);
// The drives of this process's mount table.
QList<MountedDrive> ListMountedDrives();

bool IsRemovableBlockDevice(const QString& device);
