#include "record_start_sampling.h"

#include <algorithm>

#include "positioned_reader.h"
#include "table_header.h"

namespace mendrel {
namespace {

constexpr uint64_t kMostSampledRecords = 64;
// A start is believed when nine in ten of the records sampled from it carry a flag.
constexpr uint64_t kFlagShareNumerator = 9;
constexpr uint64_t kFlagShareDenominator = 10;
constexpr uint64_t kPadByte = 1;

bool IsDeletionFlag(uint8_t byte) { return byte == kLiveRecordFlag || byte == kDeletedRecordFlag; }

// Neither a record's flag nor evidence against one: zeroed sectors and the end mark.
bool CountsAsEvidence(uint8_t byte) { return byte != 0x00 && byte != kEndMark; }

// Bytes past the end read as 0x00, which counts neither way.
SampledStart Sample(PositionedReader& reader, uint64_t sourceLength, uint64_t recordLength, uint64_t start) {
  SampledStart sampled{start, 0, 0};
  const uint64_t whole = (sourceLength - start) / recordLength;
  const uint64_t samples = std::min(kMostSampledRecords, whole);
  for (uint64_t i = 0; i < samples; ++i) {
    const uint8_t first = reader.At(start + SampledRecord(i, samples, whole) * recordLength);
    if (!CountsAsEvidence(first)) continue;
    ++sampled.counted;
    if (IsDeletionFlag(first)) ++sampled.flags;
  }
  return sampled;
}

bool IsBelievable(const SampledStart& sampled) {
  return sampled.counted > 0 && kFlagShareDenominator * sampled.flags >= kFlagShareNumerator * sampled.counted;
}

bool HasLargerShare(const SampledStart& a, const SampledStart& b) {
  return a.flags * b.counted > b.flags * a.counted;
}

bool HasLongCharacterField(const FieldList& fields) {
  return std::any_of(fields.begin(), fields.end(), [](const FieldDescriptor& field) {
    return field[kFieldType] == 'C' && field[kFieldDecimals] != 0;
  });
}

}  // namespace

std::optional<SampledStart> BestRecordStart(CFile64Ex& source, uint64_t sourceLength, uint32_t recordLength,
                                            const std::vector<uint64_t>& candidates) {
  if (recordLength < 2) return std::nullopt;
  const uint64_t position = source.GetPosition();
  PositionedReader reader(source, sourceLength);
  std::optional<SampledStart> best;
  for (uint64_t candidate : candidates) {
    if (candidate >= sourceLength || !IsDeletionFlag(reader.At(candidate))) continue;
    const SampledStart sampled = Sample(reader, sourceLength, recordLength, candidate);
    if (IsBelievable(sampled) && (!best || HasLargerShare(sampled, *best))) best = sampled;
  }
  source.Seek(static_cast<int64_t>(position), CFile64::begin);
  return best;
}

bool IsHeaderLengthBelievable(uint16_t headerLength, uint64_t afterTerminator) {
  for (uint64_t start : StartsAfterList(afterTerminator))
    if (start == headerLength) return true;
  return false;
}

std::vector<uint64_t> StartsAfterList(uint64_t afterTerminator) {
  return {afterTerminator, afterTerminator + kPadByte, afterTerminator + kBackLinkSize,
          afterTerminator + kBackLinkSize + kPadByte};
}

SampledLayout SampleRecordLayout(const FieldList& fields, CFile64Ex& source, uint64_t sourceLength,
                                 uint64_t afterTerminator) {
  const std::vector<uint64_t> candidates = StartsAfterList(afterTerminator);
  SampledLayout layout{std::nullopt, PlainFieldLengths(fields)};
  std::optional<SampledStart> best =
      BestRecordStart(source, sourceLength, RecordLength(layout.lengths), candidates);
  if (HasLongCharacterField(fields)) {
    FieldLengths longLengths = LongFieldLengths(fields);
    const std::optional<SampledStart> longBest =
        BestRecordStart(source, sourceLength, RecordLength(longLengths), candidates);
    if (longBest && (!best || HasLargerShare(*longBest, *best))) {
      best = longBest;
      layout.lengths = std::move(longLengths);
    }
  }
  if (best) layout.area = RecordArea{best->start, static_cast<uint32_t>(best->start - afterTerminator)};
  return layout;
}

}  // namespace mendrel
