#include "memo_pointer.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "byte_order.h"
#include "parse_unsigned.h"

namespace mendrel {
namespace {

bool IsTextPointerByte(char c) { return c == ' ' || (c >= '0' && c <= '9'); }

bool HoldsOnlyTextPointerBytes(const char* field, uint32_t length) {
  for (uint32_t i = 0; i < length; ++i) {
    if (!IsTextPointerByte(field[i])) return false;
  }
  return true;
}

// The block number as "%*lu" with the field's width, cut to the field's length.
void WriteTextPointer(char* field, uint32_t length, uint32_t block) {
  char digits[16];
  const int count = std::snprintf(digits, sizeof digits, "%lu", static_cast<unsigned long>(block));
  const uint32_t digitCount = static_cast<uint32_t>(count);
  if (digitCount >= length) {
    std::memcpy(field, digits, length);
    return;
  }
  std::memset(field, ' ', length - digitCount);
  std::memcpy(field + (length - digitCount), digits, digitCount);
}

}  // namespace

MemoPointer ReadMemoPointer(const char* fieldBytes, uint32_t length) {
  MemoPointer pointer;
  if (length == kBinaryMemoPointerSize && !HoldsOnlyTextPointerBytes(fieldBytes, length)) {
    pointer.binary = true;
    pointer.valid = true;
    pointer.block = ReadLE32(fieldBytes);
    return pointer;
  }
  const std::string text(fieldBytes, strnlen(fieldBytes, length));
  pointer.valid = ParseUnsigned(text.c_str(), pointer.block);
  return pointer;
}

void WriteMemoPointer(char* fieldBytes, uint32_t length, bool binary, uint32_t block) {
  if (binary) {
    WriteLE32(fieldBytes, block);
  } else if (block == 0) {
    std::memset(fieldBytes, ' ', length);
  } else {
    WriteTextPointer(fieldBytes, length, block);
  }
}

}  // namespace mendrel
