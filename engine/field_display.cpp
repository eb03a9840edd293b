#include "field_display.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine_strings.h"
#include "field_validation.h"
#include "memo_file.h"
#include "memo_pointer.h"
#include "memo_reader.h"
#include "repair_options.h"

namespace mendrel {
namespace {

bool IsNoHandle(intptr_t handle) { return handle == 0 || handle == kInvalidHandle; }

// Copies as much of word as fits, without a NUL of its own; returns the word's length.
uint64_t CopyWord(char* text, uint32_t textSize, std::string_view word) {
  std::memcpy(text, word.data(), std::min<size_t>(textSize, word.size()));
  return word.size();
}

// A memo longer than the buffer fills it: its first bytes, then the marker at the end. A
// buffer shorter than the marker holds only the marker's end, so nothing lands outside it.
void CopyTruncatedMemo(CMemoFile& memoFile, const MemoBlock& memo, char* text, uint32_t textSize) {
  const std::string_view marker = EngineText(kTextTruncated);
  const uint32_t markerShown = std::min<uint32_t>(textSize, static_cast<uint32_t>(marker.size()));
  const uint32_t dataShown = textSize - markerShown;
  if (dataShown != 0) MemoReader(memoFile, memo).ReadNext(text, dataShown);
  std::memcpy(text + dataShown, marker.data() + (marker.size() - markerShown), markerShown);
}

void CopyMemoText(CMemoFile& memoFile, const MemoBlock& memo, char* text, uint32_t textSize) {
  if (memo.length > textSize) {
    CopyTruncatedMemo(memoFile, memo, text, textSize);
  } else {
    MemoReader(memoFile, memo).ReadNext(text, memo.length);
  }
}

}  // namespace

void DisplayFieldValue(char* fieldBytes, const unsigned char* descriptor, uint32_t optionWord) {
  if (descriptor == nullptr || DescriptorLength(descriptor) == 0 || fieldBytes == nullptr) return;
  const RepairOptions options(optionWord);
  CheckFieldValue(fieldBytes, descriptor, options);
}

void DisplayMemoValue(const char* fieldBytes, const unsigned char* descriptor, intptr_t memoHandle,
                      uint32_t blockSize, const char* memoPath, char* text, uint32_t textSize) {
  if (text == nullptr) return;
  std::memset(text, 0, textSize);
  if (fieldBytes == nullptr || descriptor == nullptr || DescriptorLength(descriptor) == 0) return;
  if (!IsMemoFieldType(static_cast<uint8_t>(DescriptorType(descriptor))) || IsNoHandle(memoHandle) || blockSize == 0) return;

  CMemoFile memoFile(memoHandle, CFile64Ex::kDefaultBufferSize);
  memoFile.m_nBlockSize = blockSize;
  memoFile.SetFilePath(memoPath != nullptr ? memoPath : "");
  RenderMemoText(memoFile, fieldBytes, DescriptorLength(descriptor), text, textSize);
}

uint64_t RenderMemoText(CMemoFile& memoFile, const char* fieldBytes, uint32_t length, char* text, uint32_t textSize) {
  std::memset(text, 0, textSize);
  const MemoPointer pointer = ReadMemoPointer(fieldBytes, length);
  if (!pointer.valid || pointer.block == 0) return 0;
  const MemoBlock memo = memoFile.LocateMemo(pointer.block);
  if (memo.length == 0) return 0;
  switch (memo.type) {
    case kMemoTypePicture: return CopyWord(text, textSize, EngineText(kTextPicture));
    case kMemoTypeObject: return CopyWord(text, textSize, EngineText(kTextObject));
    default: CopyMemoText(memoFile, memo, text, textSize); return memo.length;
  }
}

}  // namespace mendrel
