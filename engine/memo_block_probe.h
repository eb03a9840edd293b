#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "memo_file.h"

namespace mendrel {

// Whether a memo block of an FPT file can start at offset: past the memo header, with
// its 8-byte block header inside the file, a FoxPro block type and a length that fits.
bool IsPlausibleFptBlock(CFile64Ex& memo, uint64_t memoLength, uint64_t offset);

// Whether block numbers read from a table's records lead to memos in the memo file
// beside the table. The file is opened for reading when first asked, and only then.
class MemoPointerCheck {
 public:
  MemoPointerCheck(std::string sourcePath, uint8_t sourceVersion);

  // At least one pointer is nonzero, no nonzero pointer repeats, and each lands on a
  // plausible block.
  bool CheckOut(std::vector<uint32_t> pointers);

 private:
  bool OpenMemo();
  bool LandsOnBlock(uint32_t pointer);
  bool IsPlausibleDbtBlock(uint32_t pointer);

  const std::string sourcePath_;
  const uint8_t sourceVersion_;
  CMemoFile memo_;
  bool tried_ = false;
  uint64_t length_ = 0;
};

}  // namespace mendrel
