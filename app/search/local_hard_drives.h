#pragma once

#include <QString>

#include <vector>

#include "mount_table.h"

// The folders where fixed drives are mounted, in mount order, each followed by ";". A file
// mounted over a file (as containers do for their host names) is no drive and is left out.
QString LocalHardDrives(const std::vector<MountEntry>& mounts);
