#pragma once

#include <cstdint>

namespace mendrel {

// The block number a memo-type field holds. Text form: decimal digits right-aligned in a
// field of any length. Binary form: a 32-bit little-endian number in a 4-byte field.
struct MemoPointer {
  bool binary = false;
  bool valid = false;  // text form: the digits converted without failure
  uint32_t block = 0;
};

inline constexpr uint32_t kBinaryMemoPointerSize = 4;

// A 4-byte field is binary as soon as it holds a byte other than a space or a digit.
MemoPointer ReadMemoPointer(const char* fieldBytes, uint32_t length);

// Writes a block number in the field's form; block 0 clears the field (spaces or zeros).
void WriteMemoPointer(char* fieldBytes, uint32_t length, bool binary, uint32_t block);

}  // namespace mendrel
