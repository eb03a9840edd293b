#include "fpt_block_size.h"

#include <memory>

#include "memo_block_probe.h"
#include "memo_file.h"
#include "memo_pointer.h"

namespace mendrel {
namespace {

constexpr uint32_t kBlockSizes[] = {32, 64, 128, 256, 512, 1024, 2048, 4096, 8192, 16384};

}  // namespace

std::vector<uint32_t> ReadMemoPointers(CFile64Ex& source, uint64_t recordStart, const FieldList& fields,
                                       const FieldLengths& lengths, uint8_t sourceVersion) {
  const uint64_t position = source.GetPosition();
  const uint32_t recordLength = RecordLength(lengths);
  const auto record = std::make_unique<char[]>(recordLength);
  std::vector<uint32_t> pointers;
  source.Seek(static_cast<int64_t>(recordStart), CFile64::begin);
  while (source.Read(record.get(), recordLength) == recordLength) {
    uint32_t offset = 1;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (IsMemoField(fields[i][kFieldType], lengths[i], sourceVersion)) {
        const MemoPointer pointer = ReadMemoPointer(record.get() + offset, lengths[i]);
        if (pointer.valid && pointer.block != 0) pointers.push_back(pointer.block);
      }
      offset += lengths[i];
    }
  }
  source.Seek(static_cast<int64_t>(position), CFile64::begin);
  return pointers;
}

uint32_t GuessFptBlockSize(CFile64Ex& memo, const std::vector<uint32_t>& pointers) {
  const uint64_t memoLength = memo.GetLength();
  uint32_t best = kFptDefaultBlockSize;
  uint64_t mostHits = 0;
  bool tied = false;
  for (uint32_t blockSize : kBlockSizes) {
    uint64_t hits = 0;
    for (uint32_t pointer : pointers)
      if (IsPlausibleFptBlock(memo, memoLength, uint64_t{pointer} * blockSize)) ++hits;
    if (hits > mostHits) {
      best = blockSize;
      mostHits = hits;
      tied = false;
    } else if (hits == mostHits && hits != 0) {
      tied = true;
    }
  }
  return tied ? kFptDefaultBlockSize : best;
}

}  // namespace mendrel
