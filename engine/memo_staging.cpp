#include "memo_staging.h"

#include <algorithm>
#include <cstring>

#include "memo_file.h"

namespace mendrel {

char* MemoStaging::Reserve(uint32_t count) {
  if (m_bytes.size() + count > kMemoPieceSize) Flush();
  const size_t at = m_bytes.size();
  m_bytes.resize(at + count);
  return m_bytes.data() + at;
}

void MemoStaging::Fill(uint64_t count, unsigned char byte) {
  while (count != 0) {
    const auto piece = static_cast<uint32_t>(std::min<uint64_t>(count, kMemoPieceSize));
    std::memset(Reserve(piece), byte, piece);
    count -= piece;
  }
}

void MemoStaging::Flush() {
  if (!m_bytes.empty()) m_file.Write(m_bytes.data(), static_cast<uint32_t>(m_bytes.size()));
  m_bytes.clear();
}

}  // namespace mendrel
