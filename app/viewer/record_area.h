// The first line of the engine's mend report for each output table: where the
// table's records lay in the source, so that a program can put an output value
// beside the source bytes it came from.
#ifndef TESSALY_RECORD_AREA_H
#define TESSALY_RECORD_AREA_H

#include <QString>
#include <optional>

struct RecordArea {
  quint64 start = 0;      // offset of the first record in the source
  quint64 stride = 0;     // bytes per source record, deletion flag included
  quint64 offset = 0;     // where the output's first field lies in a source record
  quint64 announced = 0;  // the record count the source header announced
  quint64 written = 0;    // records written to the output table
  quint64 after = 0;      // bytes after the last whole source record
};

// The record area of a line of the form
// "Record area: start=S stride=L offset=O announced=A written=W after=T", else none.
std::optional<RecordArea> ParseRecordArea(const QString& line);

#endif
