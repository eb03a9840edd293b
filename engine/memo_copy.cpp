#include <algorithm>

#include "memo_file.h"
#include "memo_pointer.h"
#include "memo_reader.h"

namespace mendrel {
namespace {

// Appends a located memo of the source to the output piece by piece; returns its new block.
uint32_t CopyMemo(CMemoFile& sourceMemo, const MemoBlock& memo, CMemoFile& outputMemo) {
  const uint32_t type = memo.type > kMemoTypeObject ? kMemoTypeText : memo.type;
  MemoReader reader(sourceMemo, memo);
  return outputMemo.AppendMemo(memo.length, memo.format, type,
                               [&reader](char* buffer, uint32_t count) { reader.ReadNext(buffer, count); });
}

// A field of spaces or NULs points to no memo; anything else that is no number was a pointer.
bool HoldsOnlyBlanks(const char* fieldBytes, uint32_t length) {
  return std::all_of(fieldBytes, fieldBytes + length, [](char c) { return c == ' ' || c == '\0'; });
}

// Why a block that holds no memo held none: told only on this rare path.
FieldMends WhyNoMemo(CMemoFile& sourceMemo, uint32_t block) {
  const uint64_t blockStart = uint64_t{block} * sourceMemo.m_nBlockSize;
  return blockStart >= sourceMemo.GetLength() ? kMemoPointerBeyondFile : kMemoPointerUnreadable;
}

}  // namespace

FieldMends CopyMemoField(char* fieldBytes, uint32_t length, CMemoFile& sourceMemo, CMemoFile& outputMemo) {
  const MemoPointer pointer = ReadMemoPointer(fieldBytes, length);
  uint32_t newBlock = 0;
  FieldMends mends = kNoMend;
  if (!pointer.valid) {
    if (!HoldsOnlyBlanks(fieldBytes, length)) mends = kMemoPointerNotABlock;
  } else if (pointer.block != 0 && !sourceMemo.IsOpen()) {
    mends = kMemoPointerNoMemoFile;
  } else if (pointer.block != 0) {
    const MemoBlock memo = sourceMemo.LocateMemo(pointer.block);
    if (memo.length != 0) {
      newBlock = CopyMemo(sourceMemo, memo, outputMemo);
      mends = kMemoCopied;
    } else {
      mends = WhyNoMemo(sourceMemo, pointer.block);
    }
  }
  WriteMemoPointer(fieldBytes, length, pointer.binary, newBlock);
  return mends;
}

}  // namespace mendrel
