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

}  // namespace

void CopyMemoField(char* fieldBytes, uint32_t length, CMemoFile& sourceMemo, CMemoFile& outputMemo) {
  const MemoPointer pointer = ReadMemoPointer(fieldBytes, length);
  uint32_t newBlock = 0;
  if (pointer.valid && pointer.block != 0 && sourceMemo.IsOpen()) {
    const MemoBlock memo = sourceMemo.LocateMemo(pointer.block);
    if (memo.length != 0) newBlock = CopyMemo(sourceMemo, memo, outputMemo);
  }
  WriteMemoPointer(fieldBytes, length, pointer.binary, newBlock);
}

}  // namespace mendrel
