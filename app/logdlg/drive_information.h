#pragma once

#include <QList>
#include <QStringList>

#include <functional>

#include "logdlg/mounted_drives.h"

// Total size and the space free to this user, in bytes; -1 where unknown.
struct DiskSpace {
  qint64 total = -1;
  qint64 free = -1;
};

using DiskSpaceQuery = std::function<DiskSpace(const QString& rootPath)>;

DiskSpace QueryDiskSpace(const QString& rootPath);

// "Drive Information:" and one line per drive; only fixed drives are asked for their size.
void AddDriveInformation(QStringList& list, const QList<MountedDrive>& drives,
                         const DiskSpaceQuery& diskSpace);
void AddDriveInformation(QStringList& list);
