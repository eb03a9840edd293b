#pragma once

#include <array>
#include <cstdint>

#include "field_descriptor.h"
#include "field_lengths.h"
#include "io/file64ex.h"

namespace mendrel {

// The block size of an FPT file whose header lost it: among the sizes FoxPro writes, the
// one under which most of the table's memo pointers land on a plausible block header. No
// hits, or a tie for the most, keep the default of 64.
class FptBlockSizeGuess {
 public:
  explicit FptBlockSizeGuess(CFile64Ex& memo);

  void Add(uint32_t pointer);
  uint32_t BlockSize() const;

 private:
  static constexpr std::array<uint32_t, 10> kBlockSizes = {32, 64, 128, 256, 512, 1024, 2048, 4096, 8192, 16384};

  CFile64Ex& memo_;
  const uint64_t memoLength_;
  std::array<uint64_t, kBlockSizes.size()> hits_{};
};

// Adds the nonzero memo block numbers of every record from recordStart on to the guess.
// The source position is left as found.
void AddMemoPointers(CFile64Ex& source, uint64_t recordStart, const FieldList& fields, const FieldLengths& lengths,
                     uint8_t sourceVersion, FptBlockSizeGuess& guess);

}  // namespace mendrel
