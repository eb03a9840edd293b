#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "buffered_writer.h"
#include "engine_strings.h"
#include "field_validation.h"
#include "memo_file.h"
#include "mend_report.h"
#include "progress_percent.h"
#include "repair_session.h"
#include "table_header.h"

namespace mendrel {
namespace {

// Records are read this many bytes at a time (whole records, at least one), mended where
// they were read and, when every field goes to the output, written from there: the same
// bytes as one read and one write per record, without a copy each. Large pieces cost the
// system less per byte, reading and above all writing.
constexpr uint32_t kBatchBytes = 1024 * 1024;

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

// Fields whose every value stays as it is (character fields above all) are left out.
std::vector<CheckedField> CheckedFields(const FieldList& fields, const FieldLengths& lengths, uint8_t sourceVersion,
                                        const RepairOptions& options) {
  std::vector<CheckedField> checked;
  uint32_t offset = 0;
  for (size_t i = 0; i < fields.size(); ++i) {
    const FieldCheck check = FieldCheckOf(fields[i].data(), sourceVersion, options);
    if (check != FieldCheck::kNone) checked.push_back({i, offset, DescriptorLength(fields[i].data()), check});
    offset += lengths[i];
  }
  return checked;
}

uint8_t OutputFlag(uint8_t sourceFlag, const RepairOptions& options) {
  if (sourceFlag == kDeletedRecordFlag && options.RecoverDeleted == 0) return kDeletedRecordFlag;
  return kLiveRecordFlag;
}

// The source's records as a run of reads of one record each would deliver them: a
// record cut short by the end of the file is delivered short, and a read past the end
// delivers nothing.
class RecordReader {
 public:
  RecordReader(CFile64Ex& source, uint32_t stride)
      : source_(source),
        stride_(stride),
        capacity_(std::max<uint32_t>(1, kBatchBytes / stride) * stride),
        batch_(std::make_unique<char[]>(capacity_)),
        end_(source.GetPosition()) {}

  // Whether the next call reads the source again, over the records delivered so far.
  bool Refills() const { return used_ == filled_; }

  // The next record's bytes, flag first, and how many there are (0 at the end). They stay
  // valid, and may be changed, until the next refill.
  char* Next(uint32_t& size) {
    if (used_ == filled_) {
      filled_ = source_.Read(batch_.get(), capacity_);
      used_ = 0;
    }
    char* record = batch_.get() + used_;
    size = std::min(stride_, filled_ - used_);
    used_ += size;
    end_ += size;
    return record;
  }

  // Where the source stands after the last record delivered.
  uint64_t Position() const { return end_; }

 private:
  CFile64Ex& source_;
  const uint32_t stride_;
  const uint32_t capacity_;
  const std::unique_ptr<char[]> batch_;
  uint32_t filled_ = 0;
  uint32_t used_ = 0;
  uint64_t end_;
};

// Whole records mended in the reader's batch, written in one piece before the batch is
// read over. Written also when the pass ends in a failure, as a buffered writer would.
class PendingRecords {
 public:
  explicit PendingRecords(CBufferedWriter& output) : output_(output) {}
  ~PendingRecords() {
    try {
      Write();
    } catch (...) {  // a failure already ends the pass
    }
  }
  PendingRecords(const PendingRecords&) = delete;
  PendingRecords& operator=(const PendingRecords&) = delete;

  // record follows the records added since the last Write in memory.
  void Add(const char* record, uint32_t size) {
    if (size_ == 0) start_ = record;
    size_ += size;
  }
  void Write() {
    if (size_ == 0) return;
    const uint32_t size = size_;
    size_ = 0;
    output_.WriteThrough(start_, size);
  }

 private:
  CBufferedWriter& output_;
  const char* start_ = nullptr;
  uint32_t size_ = 0;
};

}  // namespace

uint32_t RepairSession::CopyRecords(CFile64Ex& source, CMemoFile& sourceMemo, uint8_t sourceVersion,
                                    const FieldList& fields, const FieldLengths& lengths,
                                    const FieldSelection& selection, CBufferedWriter& output, CMemoFile& outputMemo,
                                    MendCounts& counts) {
  const uint32_t stride = RecordLength(lengths);
  const uint32_t dataLength = stride - 1;
  const std::vector<ByteRun> runs = SelectedRuns(lengths, selection);
  // Every field selected: the flag and the data go out as one piece.
  const bool wholeRecord = runs.size() == 1 && runs[0].offset == 0 && runs[0].length == dataLength;
  const std::vector<CheckedField> checked = CheckedFields(fields, lengths, sourceVersion, options);
  RecordReader reader(source, stride);
  // The last record may be cut short: it is completed with spaces here.
  const auto shortRecord = std::make_unique<char[]>(stride);
  ProgressPercent percent(SourceLength);
  PendingRecords pending(output);
  uint32_t count = 0;

  while (!QueryStop()) {
    if (reader.Refills()) pending.Write();
    uint32_t read = 0;
    char* record = reader.Next(read);
    if (read <= 1) {
      if (read == 1 && static_cast<uint8_t>(record[0]) == kEndMark) counts.SawEndMark();
      break;
    }
    const bool inBatch = read == stride;
    if (!inBatch) {
      std::memcpy(shortRecord.get(), record, read);
      std::memset(shortRecord.get() + read, ' ', stride - read);
      record = shortRecord.get();
    }
    ++count;

    char* const data = record + 1;
    RepairRecordFields(data, checked, sourceMemo, outputMemo, options, counts);
    const auto sourceFlag = static_cast<uint8_t>(record[0]);
    const uint8_t outputFlag = OutputFlag(sourceFlag, options);
    if (sourceFlag != kLiveRecordFlag) counts.CountFlag(sourceFlag, outputFlag == kLiveRecordFlag);
    if (wholeRecord) {
      record[0] = static_cast<char>(outputFlag);
      if (inBatch) {
        pending.Add(record, stride);
      } else {
        pending.Write();
        output.Write(record, stride);
      }
    } else {
      output.WriteByte(outputFlag);
      for (const ByteRun& run : runs) output.Write(data + run.offset, run.length);
    }
    if (SourceLength != 0) SendProgress(percent.At(reader.Position()));
  }
  // A failed write of the last records must end the pass before their count is reported.
  pending.Write();
  outputMemo.FlushBuffer();
  output.FlushBuffer();
  SendMessage(FormatText(kTextAddRecords, static_cast<unsigned long>(count)));
  return count;
}

}  // namespace mendrel
