// The records of a repair's damaged source, read where the repair read them:
// record k at start + k * stride. The source is only ever opened for reading.
#ifndef TESSALY_SOURCE_RECORDS_H
#define TESSALY_SOURCE_RECORDS_H

#include <QByteArray>
#include <QFile>

#include "viewer/record_area.h"

class TSourceRecords {
 public:
  TSourceRecords(const QString& path, const RecordArea& area);

  bool IsReadable() const { return FFile.isOpen(); }
  // Source record k, deletion flag first: stride bytes, fewer where the source
  // ends inside it, none past its end or when it cannot be read.
  QByteArray Record(quint64 record);

 private:
  QFile FFile;
  RecordArea FArea;
};

#endif
