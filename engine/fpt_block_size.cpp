#include "fpt_block_size.h"

#include <memory>

#include "memo_block_probe.h"
#include "memo_file.h"
#include "memo_pointer.h"

namespace mendrel {

FptBlockSizeGuess::FptBlockSizeGuess(CFile64Ex& memo) : memo_(memo), memoLength_(memo.GetLength()) {}

void FptBlockSizeGuess::Add(uint32_t pointer) {
  for (size_t i = 0; i < kBlockSizes.size(); ++i)
    if (IsPlausibleFptBlock(memo_, memoLength_, uint64_t{pointer} * kBlockSizes[i])) ++hits_[i];
}

uint32_t FptBlockSizeGuess::BlockSize() const {
  uint32_t best = kFptDefaultBlockSize;
  uint64_t mostHits = 0;
  bool tied = false;
  for (size_t i = 0; i < kBlockSizes.size(); ++i) {
    if (hits_[i] > mostHits) {
      best = kBlockSizes[i];
      mostHits = hits_[i];
      tied = false;
    } else if (hits_[i] == mostHits && mostHits != 0) {
      tied = true;
    }
  }
  return tied ? kFptDefaultBlockSize : best;
}

void AddMemoPointers(CFile64Ex& source, uint64_t recordStart, const FieldList& fields, const FieldLengths& lengths,
                     uint8_t sourceVersion, FptBlockSizeGuess& guess) {
  const uint64_t position = source.GetPosition();
  const uint32_t recordLength = RecordLength(lengths);
  const auto record = std::make_unique<char[]>(recordLength);
  source.Seek(static_cast<int64_t>(recordStart), CFile64::begin);
  while (source.Read(record.get(), recordLength) == recordLength) {
    uint32_t offset = 1;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (IsMemoField(fields[i][kFieldType], lengths[i], sourceVersion)) {
        const MemoPointer pointer = ReadMemoPointer(record.get() + offset, lengths[i]);
        if (pointer.valid && pointer.block != 0) guess.Add(pointer.block);
      }
      offset += lengths[i];
    }
  }
  source.Seek(static_cast<int64_t>(position), CFile64::begin);
}

}  // namespace mendrel
