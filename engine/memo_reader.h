#pragma once

#include <cstdint>

#include "memo_file.h"

namespace mendrel {

// Reads the data of one located memo from the start, piece by piece. Once a read comes
// back short the rest of the memo is zeros, as if the whole memo had been one read.
class MemoReader {
 public:
  MemoReader(CMemoFile& file, const MemoBlock& memo) : m_file(file), m_nPosition(memo.dataPosition) {}

  void ReadNext(char* buffer, uint32_t count);

 private:
  CMemoFile& m_file;
  uint64_t m_nPosition;
  bool m_bEnded = false;
};

}  // namespace mendrel
