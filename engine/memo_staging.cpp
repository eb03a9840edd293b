#include "memo_staging.h"

#include <algorithm>
#include <cstring>

#include "memo_file.h"

namespace mendrel {

bool MemoStaging::Takes(uint64_t position, uint32_t count) const {
  if (IsEmpty()) return count <= std::max(kRunSize, kMemoPieceSize);
  return position == End() && uint64_t{m_nUsed} + count <= kRunSize;
}

char* MemoStaging::Reserve(uint64_t position, uint32_t count) {
  if (IsEmpty()) m_nStart = position;
  const uint32_t needed = m_nUsed + count;
  if (needed > m_nCapacity) {
    // Grows only for a memo piece larger than a run; the bytes so far come along.
    const uint32_t capacity = std::max(needed, kRunSize);
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    if (m_nUsed != 0) std::memcpy(bytes.get(), m_pBytes.get(), m_nUsed);
    m_pBytes = std::move(bytes);
    m_nCapacity = capacity;
  }
  char* room = m_pBytes.get() + m_nUsed;
  m_nUsed = needed;
  return room;
}

}  // namespace mendrel
