#pragma once

#include <cstdint>

namespace mendrel {

// The unpacked option word of one repair run. A flag holds its bit masked out of
// the word, so nonzero means set.
class RepairOptions {
 public:
  RepairOptions() = default;
  explicit RepairOptions(uint32_t word) { Unpack(word); }
  virtual ~RepairOptions() = default;

  void Unpack(uint32_t word);

  uint32_t RecoverDeleted = 0;
  uint32_t RepairDate = 0;
  uint32_t SplitTable = 0;
  uint16_t MaxFieldCount = 255;
  uint8_t DBFVersion = 0;
  uint32_t ReadSrcMemoFile = 0;
  uint32_t IgnoreAllZeroSrcMemoFile = 0;
};

}  // namespace mendrel
