#include <sys/sysmacros.h>

#include <QTemporaryDir>
#include <QtTest>

#include "search/local_hard_drives.h"
#include "search/mount_table.h"

class SearchMountTableTest : public QObject {
  Q_OBJECT

 private slots:
  void ReadsMountInfoLinesWithOptionalFieldsAndEscapedPaths() {
    const auto mounts = ParseMountInfo(
        "26 1 254:0 / / rw,relatime shared:1 master:2 - ext4 /dev/vda rw\n"
        "27 26 0:24 / /mnt/My\\040Disk ro - tmpfs tmpfs ro\n"
        "garbage line\n"
        "21 26 0:20 / /proc rw - proc proc rw\n");
    QCOMPARE(mounts.size(), size_t(3));
    QCOMPARE(mounts[0].Device, makedev(254, 0));
    QCOMPARE(mounts[0].FileSystem, std::string("ext4"));
    QCOMPARE(mounts[0].Source, std::string("/dev/vda"));
    QCOMPARE(mounts[1].MountPoint, std::string("/mnt/My Disk"));
    QCOMPARE(mounts[1].Kind, DriveKind::RamDisk);
    QCOMPARE(mounts[2].Kind, DriveKind::Pseudo);
  }

  void ClassifiesFileSystemsAsTheDriveTypesUsersKnow() {
    QCOMPARE(ClassifyMount("cgroup2", "cgroup2"), DriveKind::Pseudo);
    QCOMPARE(ClassifyMount("devtmpfs", "udev"), DriveKind::Pseudo);
    QCOMPARE(ClassifyMount("nfs4", "server:/export"), DriveKind::Remote);
    QCOMPARE(ClassifyMount("cifs", "//server/share"), DriveKind::Remote);
    QCOMPARE(ClassifyMount("iso9660", "/dev/sr0"), DriveKind::CdRom);
    QCOMPARE(ClassifyMount("tmpfs", "tmpfs"), DriveKind::RamDisk);
    QCOMPARE(ClassifyMount("zfs", "pool/home"), DriveKind::Fixed);
    QCOMPARE(ClassifyMount("fuse.portal", "portal"), DriveKind::Unknown);
    // A device path that is no block device cannot be asked whether it is removable.
    QCOMPARE(ClassifyMount("ext4", "/dev/no-such-disk"), DriveKind::Fixed);
  }

  void ListsFixedFoldersOnceEachFollowedBySemicolon() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string file = folder + "/hosts";
    QFile(QString::fromStdString(file)).open(QIODevice::WriteOnly);
    std::vector<MountEntry> mounts(5);
    mounts[0] = {0, "/", "ext4", "/dev/vda", DriveKind::Fixed};
    mounts[1] = {0, folder, "ext4", "/dev/vdb", DriveKind::Fixed};
    mounts[2] = {0, file, "ext4", "/dev/vda", DriveKind::Fixed};
    mounts[3] = {0, "/media/stick", "vfat", "/dev/sdb1", DriveKind::Removable};
    mounts[4] = {0, "/", "ext4", "/dev/vda", DriveKind::Fixed};
    QCOMPARE(LocalHardDrives(mounts), "/;" + dir.path() + ";");
    QCOMPARE(LocalHardDrives({}), QString());
  }
};

QTEST_GUILESS_MAIN(SearchMountTableTest)
#include "search_mount_table_test.moc"
