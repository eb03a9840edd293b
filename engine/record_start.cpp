#include "record_start.h"

#include <optional>

namespace mendrel {
namespace {

// Records checked from a candidate start: enough to tell records from chance.
constexpr uint32_t kCredibleRecordCount = 8;
// Candidates after the implied start: one byte early, a pad byte after the terminator, a
// back-link area whose header length was lost (with or without that pad byte).
constexpr int64_t kCandidateOffsets[] = {-1, 1, kBackLinkSize, kBackLinkSize + 1};

class RecordAreaSearch {
 public:
  RecordAreaSearch(CFile64Ex& source, uint64_t sourceLength, uint32_t recordLength)
      : source_(source), length_(sourceLength), recordLength_(recordLength) {}

  std::optional<uint8_t> ByteAt(uint64_t position) {
    if (position >= length_) return std::nullopt;
    source_.Seek(static_cast<int64_t>(position), CFile64::begin);
    uint8_t byte = 0;
    if (source_.Read(&byte, 1) != 1) return std::nullopt;
    return byte;
  }

  bool IsDeletionFlagAt(uint64_t position) {
    const std::optional<uint8_t> byte = ByteAt(position);
    return byte && (*byte == kLiveRecordFlag || *byte == kDeletedRecordFlag);
  }

  // Every whole record among the first few from start begins with a deletion flag.
  bool IsCredibleStart(uint64_t start) {
    uint32_t checked = 0;
    for (uint64_t at = start; checked < kCredibleRecordCount && at + recordLength_ <= length_; at += recordLength_) {
      if (!IsDeletionFlagAt(at)) return false;
      ++checked;
    }
    return checked > 0;
  }

 private:
  CFile64Ex& source_;
  const uint64_t length_;
  const uint32_t recordLength_;
};

RecordArea Choose(RecordAreaSearch& search, uint16_t headerLength, uint64_t afterTerminator,
                  uint32_t extraHeaderBytes) {
  const uint64_t skipped = afterTerminator - 1;  // the byte taken for the terminator
  if (extraHeaderBytes == 0 && search.ByteAt(skipped) != kDescriptorTerminator && search.IsCredibleStart(skipped))
    return {skipped, 0};  // the terminator was cut out

  const uint64_t implied = afterTerminator + extraHeaderBytes;
  const bool followsTerminator = search.ByteAt(implied - 1) == kDescriptorTerminator;
  const bool whereHeaderSays = implied == headerLength;
  // Terminator and header length agreeing make a damaged first flag likelier than a
  // misplaced record area.
  if (followsTerminator && whereHeaderSays) return {implied, extraHeaderBytes};
  if (((followsTerminator || whereHeaderSays) && search.IsDeletionFlagAt(implied)) || search.IsCredibleStart(implied))
    return {implied, extraHeaderBytes};

  for (int64_t offset : kCandidateOffsets) {
    const uint64_t candidate = implied + offset;
    if (candidate >= afterTerminator && search.IsCredibleStart(candidate))
      return {candidate, static_cast<uint32_t>(candidate - afterTerminator)};
  }
  return {implied, extraHeaderBytes};
}

}  // namespace

RecordArea FindRecordArea(const TableHeader& header, CFile64Ex& source, uint64_t sourceLength,
                          uint64_t afterTerminator, uint32_t extraHeaderBytes, uint32_t recordLength) {
  const uint64_t position = source.GetPosition();
  RecordAreaSearch search(source, sourceLength, recordLength);
  const RecordArea area =
      Choose(search, ReadLittle16(&header[kHeaderLength]), afterTerminator, extraHeaderBytes);
  source.Seek(static_cast<int64_t>(position), CFile64::begin);
  return area;
}

}  // namespace mendrel
