#include "positioned_reader.h"

#include <cstring>

namespace mendrel {

bool PositionedReader::Read(uint64_t position, void* bytes, uint32_t count) {
  std::memset(bytes, 0, count);
  if (position >= length_) return count == 0;
  file_.Seek(static_cast<int64_t>(position), CFile64::begin);
  return file_.Read(bytes, count) == count;
}

uint8_t PositionedReader::At(uint64_t position) {
  uint8_t byte = 0;
  Read(position, &byte, 1);
  return byte;
}

}  // namespace mendrel
