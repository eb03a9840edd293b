#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "search/local_hard_drives.h"

class SearchLocalHardDrivesTest : public QObject {
  Q_OBJECT

 private slots:
  void ListsFixedFoldersOnceEachFollowedBySemicolon() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("hosts"));
    QFile(file).open(QIODevice::WriteOnly);
    const QList<MountedDrive> drives = {
        {QStringLiteral("/"), DriveType::kFixed},
        {dir.path(), DriveType::kFixed},
        {file, DriveType::kFixed},
        {QStringLiteral("/media/stick"), DriveType::kRemovable},
        {QStringLiteral("/"), DriveType::kFixed},
    };
    QCOMPARE(LocalHardDrives(drives), "/;" + dir.path() + ";");
    QCOMPARE(LocalHardDrives({}), QString());
  }
};

QTEST_GUILESS_MAIN(SearchLocalHardDrivesTest)
#include "search_local_hard_drives_test.moc"
