#include "file_time.h"

namespace {

constexpr qint64 kNanosecondsPerSecond = 1'000'000'000;
constexpr qint64 kNanosecondsPerMillisecond = 1'000'000;
constexpr qint64 kSecondsPerDay = 86'400;
constexpr int kFirstPackedYear = 1980;
constexpr int kLastPackedYear = 2107;

}  // namespace

qint64 LocalWallClockNanoseconds(const timespec& fileTime) {
  tm local {};
  localtime_r(&fileTime.tv_sec, &local);
  const qint64 seconds = static_cast<qint64>(fileTime.tv_sec) + local.tm_gmtoff;
  return seconds * kNanosecondsPerSecond + fileTime.tv_nsec;
}

qint64 WallClockNanoseconds(const QDateTime& localDateTime) {
  const qint64 days = QDate(1970, 1, 1).daysTo(localDateTime.date());
  const qint64 milliseconds = localDateTime.time().msecsSinceStartOfDay();
  return days * kSecondsPerDay * kNanosecondsPerSecond + milliseconds * kNanosecondsPerMillisecond;
}

QDateTime PackedLocalDateTime(const timespec& fileTime) {
  tm local {};
  if (localtime_r(&fileTime.tv_sec, &local) == nullptr) return {};
  const int year = local.tm_year + 1900;
  if (year < kFirstPackedYear || year > kLastPackedYear) return {};
  // The offset found here is the local one at that time; handing it over spares a look-up of
  // the time zone per date-time.
  return QDateTime(QDate(year, local.tm_mon + 1, local.tm_mday),
                   QTime(local.tm_hour, local.tm_min, local.tm_sec - local.tm_sec % 2),
                   Qt::OffsetFromUTC, static_cast<int>(local.tm_gmtoff));
}
