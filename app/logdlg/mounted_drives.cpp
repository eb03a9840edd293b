#include "logdlg/mounted_drives.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdio>

namespace {

const char kMountTablePath[] = "/proc/self/mountinfo";

// Kernel interfaces and automount placeholders: they hold no user files.
const QSet<QByteArray> kPseudoFileSystems = {
    "proc",      "sysfs",     "devtmpfs",  "devpts",      "cgroup",         "cgroup2",
    "securityfs", "debugfs",  "tracefs",   "pstore",      "bpf",            "mqueue",
    "hugetlbfs", "configfs",  "fusectl",   "autofs",      "binfmt_misc",    "efivarfs",
    "rpc_pipefs", "nsfs",     "selinuxfs", "fuse.lxcfs",  "fuse.gvfsd-fuse", "fuse.portal"};
const QSet<QByteArray> kNetworkFileSystems = {
    "nfs",  "nfs4",      "cifs",      "smb3",       "smbfs",       "ncpfs",      "afs",
    "ceph", "glusterfs", "fuse.glusterfs", "lustre", "9p", "fuse.sshfs", "fuse.rclone", "fuse.s3fs"};
const QSet<QByteArray> kOpticalFileSystems = {"iso9660", "udf"};
const QSet<QByteArray> kRamFileSystems = {"tmpfs", "ramfs"};

// The mount table writes blanks, tabs, newlines and backslashes as "\ooo" octal escapes.
QString Unescape(const QByteArray& field) {
  QByteArray bytes;
  for (qsizetype at = 0; at < field.size(); ++at) {
    const QByteArray octal = field.mid(at + 1, 3);
    bool isOctal = field[at] == '\\' && octal.size() == 3;
    for (char digit : octal) isOctal = isOctal && digit >= '0' && digit <= '7';
    if (isOctal) {
      bytes += char(octal.toInt(nullptr, 8));
      at += 3;
    } else {
      bytes += field[at];
    }
  }
  return QString::fromLocal8Bit(bytes);
}

QString ReadSysfsFlag(const QString& folder, const QString& name) {
  QFile file(folder + u'/' + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromLatin1(file.readAll()).trimmed();
}

}  // namespace

QList<MountEntry> ParseMountTable(const QByteArray& mountInfo) {
  // id parent major:minor root mount-point options [optional fields...] - type source options
  constexpr qsizetype kMountPointField = 4;
  constexpr qsizetype kFirstOptionalField = 6;
  QList<MountEntry> entries;
  for (const QByteArray& line : mountInfo.split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    const qsizetype separator = fields.indexOf("-", kFirstOptionalField);
    if (separator < 0 || separator + 2 >= fields.size()) continue;
    unsigned major = 0, minor = 0;
    if (std::sscanf(fields[2].constData(), "%u:%u", &major, &minor) != 2) continue;
    entries.append({Unescape(fields[separator + 2]), Unescape(fields[kMountPointField]),
                    fields[separator + 1], makedev(major, minor)});
  }
  return entries;
}

QList<MountEntry> ReadMountTable() {
  QFile file(QString::fromLatin1(kMountTablePath));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return ParseMountTable(file.readAll());
}

bool IsPseudoFileSystem(const QByteArray& fileSystem) {
  return kPseudoFileSystems.contains(fileSystem);
}

DriveType ClassifyMount(const MountEntry& entry, const RemovableDeviceQuery& isRemovable) {
  if (kNetworkFileSystems.contains(entry.fileSystem)) return DriveType::kRemote;
  if (kOpticalFileSystems.contains(entry.fileSystem)) return DriveType::kCdRom;
  if (kRamFileSystems.contains(entry.fileSystem)) return DriveType::kRamDisk;
  if (entry.device.startsWith(u'/') && isRemovable(entry.device)) return DriveType::kRemovable;
  return DriveType::kFixed;
}

QList<MountedDrive> ListMountedDrives(const QList<MountEntry>& entries,
                                      const RemovableDeviceQuery& isRemovable) {
  QHash<QString, qsizetype> lastMountOf;
  for (qsizetype index = 0; index < entries.size(); ++index) {
    lastMountOf[entries[index].mountPoint] = index;
  }
  QList<MountedDrive> drives;
  for (qsizetype index = 0; index < entries.size(); ++index) {
    const MountEntry& entry = entries[index];
    if (IsPseudoFileSystem(entry.fileSystem)) continue;
    if (lastMountOf.value(entry.mountPoint) != index) continue;
    drives.append({entry.mountPoint, ClassifyMount(entry, isRemovable)});
  }
  return drives;
}

QList<MountedDrive> ListMountedDrives() {
  return ListMountedDrives(ReadMountTable(), IsRemovableBlockDevice);
}

bool IsRemovableBlockDevice(const QString& device) {
  struct stat status {};
  if (stat(QFile::encodeName(device).constData(), &status) != 0 || !S_ISBLK(status.st_mode)) {
    return false;
  }
  // A partition has no removable flag of its own; its disk is the folder above it.
  const QString folder =
      QFileInfo(QStringLiteral("/sys/dev/block/%1:%2")
                    .arg(major(status.st_rdev))
                    .arg(minor(status.st_rdev)))
          .canonicalFilePath();
  if (folder.isEmpty()) return false;
  QString removable = ReadSysfsFlag(folder, QStringLiteral("removable"));
  if (removable.isEmpty()) removable = ReadSysfsFlag(QFileInfo(folder).path(), QStringLiteral("removable"));
  return removable == u"1";
}
