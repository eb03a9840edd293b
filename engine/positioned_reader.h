#pragma once

#include <cstdint>

#include "io/file64ex.h"

namespace mendrel {

// Reads a file's bytes where they lie, for checks that look here and there in it: bytes the
// file does not hold read as zeros. Moves the file's position; callers that continue where
// they were put it back.
class PositionedReader {
 public:
  PositionedReader(CFile64Ex& file, uint64_t length) : file_(file), length_(length) {}

  uint64_t length() const { return length_; }

  // count bytes at position, zero-filled; true when the file held them all.
  bool Read(uint64_t position, void* bytes, uint32_t count);
  uint8_t At(uint64_t position);

 private:
  CFile64Ex& file_;
  const uint64_t length_;
};

}  // namespace mendrel
