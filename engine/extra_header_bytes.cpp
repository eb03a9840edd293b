#include "extra_header_bytes.h"

namespace mendrel {
namespace {

bool IsDeletionFlagAt(CFile64Ex& source, uint64_t position) {
  source.Seek(static_cast<int64_t>(position), CFile64::begin);
  uint8_t byte = 0;
  return source.Read(&byte, 1) == 1 && (byte == kLiveRecordFlag || byte == kDeletedRecordFlag);
}

}  // namespace

uint32_t CountExtraHeaderBytes(const TableHeader& header, const FieldList& fields, CFile64Ex& source,
                               uint64_t recordAreaGuess) {
  const uint32_t listEnd = kFieldDescriptorSize * static_cast<uint32_t>(fields.size()) + kTableHeaderSize + 1;
  const uint32_t headerLength = ReadLittle16(&header[kHeaderLength]);
  const uint32_t gap = headerLength >= listEnd ? headerLength - listEnd : 0;
  if (gap == kBackLinkSize) return gap;

  const uint64_t position = source.GetPosition();
  uint32_t result = 0;
  if (!IsDeletionFlagAt(source, recordAreaGuess) && IsDeletionFlagAt(source, recordAreaGuess + gap))
    result = gap;
  source.Seek(static_cast<int64_t>(position), CFile64::begin);
  return result;
}

}  // namespace mendrel
