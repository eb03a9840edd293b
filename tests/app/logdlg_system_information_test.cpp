#include <QLocale>
#include <QtTest>

#include <sys/sysmacros.h>

#include <cstdlib>

#include "logdlg/drive_information.h"
#include "logdlg/logdlg_strings.h"
#include "logdlg/memory_information.h"
#include "logdlg/mounted_drives.h"
#include "logdlg/system_information.h"

namespace {

const QString kSeparator = QStringLiteral("--------------------------------------------------------");

// In the format of /proc/self/mountinfo: optional fields before the "-", escaped blanks,
// and a line that is no mount.
const QByteArray kMounts =
    "20 1 0:20 / /sys rw,nosuid shared:7 - sysfs sysfs rw\n"
    "21 1 0:21 / /proc rw - proc proc rw\n"
    "22 1 8:2 / / rw,relatime shared:1 master:2 - ext4 /dev/sda2 rw\n"
    "garbage line\n"
    "23 22 0:24 / /run rw - tmpfs tmpfs rw\n"
    "24 22 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n"
    "25 22 0:40 / /mnt/nfs rw - nfs4 server:/export rw\n"
    "26 22 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
    "27 22 8:3 / /home/my\\040files rw - ext4 /dev/sda3 rw\n"
    "28 20 0:25 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
    "29 22 0:50 / /var/lib/box rw - overlay overlay rw\n";

bool OnlySdbIsRemovable(const QString& device) { return device == u"/dev/sdb1"; }

DiskSpace FixedSpace(const QString& root) {
  if (root == u"/") return {1234567890123, 987654321};
  return {};
}

}  // namespace

class SystemInformationTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

  void ListsDrivesInMountOrderWithSizesOnlyForFixedDrives() {
    QStringList list;
    AddDriveInformation(list, ListMountedDrives(ParseMountTable(kMounts), OnlySdbIsRemovable),
                        FixedSpace);
    const QStringList expected = {
        QStringLiteral("Drive Information:"),
        QStringLiteral("/, Fixed Drive, Total Disk Spaces: 1,234,567,890,123 bytes, "
                       "Free Disk Spaces: 987,654,321 bytes."),
        QStringLiteral("/run, RAM Disk"),
        QStringLiteral("/media/stick, Removable Drive"),
        QStringLiteral("/mnt/nfs, Remote Network Drive"),
        QStringLiteral("/media/cdrom, CD-ROM Drive"),
        QStringLiteral("/home/my files, Fixed Drive, Total Disk Spaces: -1 bytes, "
                       "Free Disk Spaces: -1 bytes."),
        QStringLiteral("/var/lib/box, Fixed Drive, Total Disk Spaces: -1 bytes, "
                       "Free Disk Spaces: -1 bytes."),
    };
    QCOMPARE(list, expected);
  }

  void AsksOnlyFixedDrivesForTheirSize() {
    QStringList asked;
    QStringList list;
    AddDriveInformation(list, ListMountedDrives(ParseMountTable(kMounts), OnlySdbIsRemovable),
                        [&asked](const QString& root) {
                          asked.append(root);
                          return DiskSpace{};
                        });
    QCOMPARE(asked, (QStringList{"/", "/home/my files", "/var/lib/box"}));
  }

  void ListsAMountPointMountedOverOnceWhereItsLastMountStands() {
    const QByteArray mounts =
        "30 1 8:1 / /data rw - ext4 /dev/sda1 rw\n"
        "31 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
        "32 30 0:60 / /data rw - tmpfs tmpfs rw\n";
    const QList<MountedDrive> drives =
        ListMountedDrives(ParseMountTable(mounts), OnlySdbIsRemovable);
    QCOMPARE(drives.size(), 2);
    QCOMPARE(drives[0].rootPath, QStringLiteral("/"));
    QCOMPARE(drives[1].rootPath, QStringLiteral("/data"));
    QCOMPARE(drives[1].type, DriveType::kRamDisk);
  }

  void KeepsTheDeviceNumberOfEachMount() {
    const QList<MountEntry> mounts = ParseMountTable(kMounts);
    QCOMPARE(mounts.size(), 10);
    QCOMPARE(mounts[2].deviceNumber, makedev(8, 2));
    QCOMPARE(mounts[2].device, QStringLiteral("/dev/sda2"));
    QCOMPARE(mounts[2].fileSystem, QByteArray("ext4"));
  }

  void ReadsTheLiveMountTable() {
    // Whatever this machine mounts, the root is there and pseudo file systems are not.
    const QList<MountedDrive> drives = ListMountedDrives();
    QVERIFY(std::any_of(drives.begin(), drives.end(),
                        [](const MountedDrive& drive) { return drive.rootPath == u"/"; }));
    QVERIFY(std::none_of(drives.begin(), drives.end(),
                         [](const MountedDrive& drive) { return drive.rootPath == u"/proc"; }));
  }

  void PrintsTheMinorVersionWithAtLeastTwoDigits() {
    QStringList list;
    AddOperatingSystemInformation(list, QStringLiteral("Linux"), QStringLiteral("5.1.12-18-amd64"));
    AddOperatingSystemInformation(list, QStringLiteral("Linux"), QStringLiteral("6.10.3"));
    AddOperatingSystemInformation(list, QStringLiteral("Linux"), QStringLiteral("4.9"));
    AddOperatingSystemInformation(list, QString(), QString());
    QCOMPARE(list, (QStringList{"Operating System: Linux 5.01.12", "Operating System: Linux 6.10.3",
                                "Operating System: Linux 4.09.0", "Operating System:  0.00.0"}));
  }

  void ReportsMemoryFromTheMemInfoText() {
    const QByteArray memInfo =
        "MemTotal:        8000000 kB\n"
        "MemFree:          500000 kB\n"
        "MemAvailable:    2000000 kB\n"
        "SwapTotal:       1000000 kB\n"
        "SwapFree:         250000 kB\n"
        "CommitLimit:     5000000 kB\n"
        "Committed_AS:    6000000 kB\n";
    QStringList list;
    AddMemoryInformation(list, memInfo);
    QCOMPARE(list, (QStringList{
                       "Memory Status:",
                       "Memory in use: 75%",
                       "Total physical memory: 8,192,000,000 bytes",
                       "Free physical memory: 2,048,000,000 bytes",
                       "Total page file memory: 1,024,000,000 bytes",
                       "Free page file memory: 256,000,000 bytes",
                       "Total virtual memory: 5,120,000,000 bytes",
                       "Free virtual memory: 0 bytes",  // overcommitted: never negative
                   }));
  }

  void ListsEveryEnvironmentEntryInBlockOrder() {
    static char kEqualsEntry[] = "=C:=C:\\data";
    QVERIFY(putenv(kEqualsEntry) == 0);
    QVERIFY(setenv("TESSALY_LOG_TEST", "a value", 1) == 0);
    QStringList list;
    AddEnvironmentInformation(list);
    QCOMPARE(list.first(), QStringLiteral("Environment Information:"));
    const qsizetype equals = list.indexOf(QStringLiteral("=C:=C:\\data"));
    const qsizetype ours = list.indexOf(QStringLiteral("TESSALY_LOG_TEST=a value"));
    QVERIFY(equals > 0);
    QVERIFY(ours > equals);  // added later, listed later
  }

  void FramesEveryGroupOfTheBlockWithSeparators() {
    QStringList list;
    AddSystemInformation(list);
    const QStringList openers = {" Version Information:", "Memory Status:",
                                 "Environment Information:", "Drive Information:",
                                 "End of System Information"};
    QCOMPARE(list.first(), QStringLiteral(" Version Information:"));
    for (const QString& opener : openers) {
      const qsizetype at = list.indexOf(opener);
      QVERIFY2(at >= 0, qPrintable(opener));
      if (at > 0) QCOMPARE(list[at - 1], kSeparator);
    }
    QCOMPARE(list.last(), kSeparator);
    QCOMPARE(list[list.size() - 2], QStringLiteral("End of System Information"));
    QVERIFY(list[1].startsWith(QStringLiteral("File Version: ")) && list[1].size() > 14);
    QVERIFY(list[2].startsWith(QStringLiteral("Product Version: ")));
    QVERIFY(list[4].startsWith(QStringLiteral("Operating System: ")));
    QCOMPARE(list[6], QStringLiteral("Windows Directory: /"));
    QVERIFY(list[7].startsWith(QStringLiteral("System Directory: /")));
    QVERIFY(list[8].startsWith(QStringLiteral("Temporary Directory: /")) && list[8].endsWith(u'/'));
  }
};

QTEST_GUILESS_MAIN(SystemInformationTest)
#include "logdlg_system_information_test.moc"
