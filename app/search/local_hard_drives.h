#pragma once

#include <QList>
#include <QString>

#include "logdlg/mounted_drives.h"

// The folders where fixed drives are mounted, in mount order, each followed by ";". A file
// mounted over a file (as containers do for their host names) is no drive and is left out.
QString LocalHardDrives(const QList<MountedDrive>& drives);
