#include "viewer/source_records.h"

#include <limits>

TSourceRecords::TSourceRecords(const QString& path, const RecordArea& area)
    : FFile(path), FArea(area) {
  if (!FFile.open(QIODevice::ReadOnly)) FFile.setFileName(QString());
}

QByteArray TSourceRecords::Record(quint64 record) {
  constexpr quint64 kLargestPosition = std::numeric_limits<qint64>::max();
  if (!FFile.isOpen() || FArea.stride == 0 ||
      record > (kLargestPosition - FArea.start) / FArea.stride)
    return {};
  const quint64 position = FArea.start + record * FArea.stride;
  if (!FFile.seek(qint64(position))) return {};
  return FFile.read(qint64(FArea.stride));
}
