#include <cstring>
#include <memory>
#include <vector>

#include "buffered_writer.h"
#include "engine_strings.h"
#include "field_validation.h"
#include "memo_file.h"
#include "mend_report.h"
#include "repair_session.h"
#include "table_header.h"

namespace mendrel {
namespace {

// Bytes of the record buffer written for the output part: neighbouring selected fields
// make one run.
struct ByteRun {
  uint32_t offset;
  uint32_t length;
};

std::vector<ByteRun> SelectedRuns(const FieldLengths& lengths, const FieldSelection& selection) {
  std::vector<ByteRun> runs;
  uint32_t offset = 0;
  bool extendsLastRun = false;
  for (size_t i = 0; i < lengths.size(); ++i) {
    const uint32_t length = lengths[i];
    const bool selected = i < selection.size() && selection[i] != 0;
    if (selected && extendsLastRun) {
      runs.back().length += length;
    } else if (selected) {
      runs.push_back({offset, length});
    }
    extendsLastRun = selected;
    offset += length;
  }
  return runs;
}

uint8_t OutputFlag(uint8_t sourceFlag, const RepairOptions& options) {
  if (sourceFlag == kDeletedRecordFlag && options.RecoverDeleted == 0) return kDeletedRecordFlag;
  return kLiveRecordFlag;
}

}  // namespace

uint32_t RepairSession::CopyRecords(CFile64Ex& source, CMemoFile& sourceMemo, uint8_t sourceVersion,
                                    const FieldList& fields, const FieldLengths& lengths,
                                    const FieldSelection& selection, CBufferedWriter& output, CMemoFile& outputMemo,
                                    MendCounts& counts) {
  const uint32_t dataLength = RecordLength(lengths) - 1;
  // The flag byte and the field data, read together: the same bytes as two reads.
  const auto buffer = std::make_unique<char[]>(1 + static_cast<size_t>(dataLength));
  char* const record = buffer.get() + 1;
  const std::vector<ByteRun> runs = SelectedRuns(lengths, selection);
  uint32_t count = 0;

  while (!QueryStop()) {
    const uint32_t read = source.Read(buffer.get(), 1 + dataLength);
    if (read <= 1) {
      if (read == 1 && static_cast<uint8_t>(buffer[0]) == kEndMark) counts.SawEndMark();
      break;
    }
    std::memset(record + (read - 1), ' ', dataLength - (read - 1));  // a short last record
    ++count;

    char* value = record;
    for (size_t i = 0; i < fields.size(); ++i) {
      const FieldMends mends = RepairFieldValue(value, fields[i].data(), sourceMemo, outputMemo, sourceVersion, options);
      if (mends != kNoMend) counts.CountField(i, mends);
      value += lengths[i];
    }
    const auto sourceFlag = static_cast<uint8_t>(buffer[0]);
    const uint8_t outputFlag = OutputFlag(sourceFlag, options);
    if (sourceFlag != kLiveRecordFlag) counts.CountFlag(sourceFlag, outputFlag == kLiveRecordFlag);
    output.WriteByte(outputFlag);
    for (const ByteRun& run : runs) output.Write(record + run.offset, run.length);
    SendProgressAt(source.GetPosition());
  }
  // A failed write of the last records must end the pass before their count is reported.
  outputMemo.FlushBuffer();
  output.FlushBuffer();
  SendMessage(FormatText(kTextAddRecords, static_cast<unsigned long>(count)));
  return count;
}

}  // namespace mendrel
