#include "memo_pointer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "byte_order.h"
#include "parse_unsigned.h"

namespace mendrel {
namespace {

// A field's length is one byte of its descriptor.
constexpr uint32_t kMaxMemoFieldLength = 255;

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

// The text form, kept out of line: the binary form of every Visual FoxPro record stays short.
[[gnu::noinline]] MemoPointer ReadTextMemoPointer(const char* fieldBytes, uint32_t length) {
  MemoPointer pointer;
  // The field's text, NUL-terminated: a field is at most 255 bytes long.
  char text[kMaxMemoFieldLength + 1];
  const size_t textLength = strnlen(fieldBytes, std::min<uint32_t>(length, kMaxMemoFieldLength));
  std::memcpy(text, fieldBytes, textLength);
  text[textLength] = '\0';
  pointer.valid = ParseUnsigned(text, pointer.block);
  return pointer;
}

}  // namespace

MemoPointer ReadMemoPointer(const char* fieldBytes, uint32_t length) {
  if (length != kBinaryMemoPointerSize || HoldsOnlyTextPointerBytes(fieldBytes, length))
    return ReadTextMemoPointer(fieldBytes, length);
  MemoPointer pointer;
  pointer.binary = true;
  pointer.valid = true;
  pointer.block = ReadLE32(fieldBytes);
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
