#pragma once

#include <ctime>

#include <QDateTime>

// Wall-clock nanoseconds since 1 January 1970, midnight, in local time: the form in which a
// file time and a date bound are compared exactly.
qint64 LocalWallClockNanoseconds(const timespec& fileTime);
qint64 WallClockNanoseconds(const QDateTime& localDateTime);

// A file time as a local date-time through the packed date-and-time form of the old DOS file
// system: two-second resolution, and the null date-time for a time outside 1980 to 2107.
QDateTime PackedLocalDateTime(const timespec& fileTime);
