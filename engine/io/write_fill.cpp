#include <algorithm>
#include <cstring>

#include "io/file64.h"

namespace mendrel {
namespace {

constexpr uint32_t kFillPieceSize = 512;

}  // namespace

void WriteFill(CFile64& file, uint64_t count, uint8_t byte) {
  if (count == 0) return;
  char piece[kFillPieceSize];
  std::memset(piece, byte, sizeof piece);
  while (count > 0) {
    uint32_t size = static_cast<uint32_t>(std::min<uint64_t>(count, kFillPieceSize));
    file.Write(piece, size);
    count -= size;
  }
}

void WriteByte(CFile64& file, uint8_t byte) { file.Write(&byte, 1); }

}  // namespace mendrel
