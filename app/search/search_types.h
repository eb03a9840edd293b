#pragma once

#include <QDateTime>
#include <QFlags>
#include <QString>

// Attributes a found entry can carry; fmAnyfile switches the attribute test off.
enum TSPFileAttribute {
  fmReadOnly = 0x01,
  fmArchive = 0x02,
  fmAnyfile = 0x04,
  fmSystem = 0x08,
  fmHidden = 0x10,
};
Q_DECLARE_FLAGS(TSPFileAttributes, TSPFileAttribute)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSPFileAttributes)

// Which of the six date bounds apply.
enum TSPCheckDate {
  scdCreateAfter = 0x01,
  scdCreateBefore = 0x02,
  scdAccessedAfter = 0x04,
  scdAccessedBefore = 0x08,
  scdModifiedAfter = 0x10,
  scdModifiedBefore = 0x20,
};
Q_DECLARE_FLAGS(TSPCheckDates, TSPCheckDate)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSPCheckDates)

// Which fields of the result record are filled.
enum TSPResult {
  srsDir = 0x01,
  srsFilename = 0x02,
  srsAttr = 0x04,
  srsSize = 0x08,
  srsCreateDate = 0x10,
  srsLastAccessDate = 0x20,
  srsLastModifiedDate = 0x40,
};
Q_DECLARE_FLAGS(TSPResults, TSPResult)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSPResults)

// Options of the content search.
enum TSearchOption {
  MatchCase = 0x01,
  WholeWordsOnly = 0x02,
  NearestLength = 0x04,
};
Q_DECLARE_FLAGS(TSearchOptions, TSearchOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSearchOptions)

// One date bound. The null date-time is the value 0; a bound applies only when it lies after
// 30 December 1899, midnight, the zero point of the date-time values.
class TSPDateTime {
 public:
  const QDateTime& DateTime() const { return FDateTime; }
  void SetDateTime(const QDateTime& value) { FDateTime = value; }
  bool IsPositive() const {
    return FDateTime.isValid() && FDateTime > QDateTime(QDate(1899, 12, 30), QTime(0, 0));
  }

 private:
  QDateTime FDateTime;
};

// The record handed to OnFound. A field whose result value is not asked for stays cleared
// (empty text, 0, the null date-time).
struct TSPFileRecord {
  QString Dir;  // ends with the path delimiter
  QString FileName;
  TSPFileAttributes Attr;
  QString Unused;  // always empty
  qint64 Size = 0;
  QDateTime CreateDate;
  QDateTime LastAccessDate;
  QDateTime LastModifiedDate;
};
using PSPFileRecord = TSPFileRecord*;
