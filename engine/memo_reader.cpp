#include "memo_reader.h"

#include <cstring>

namespace mendrel {

void MemoReader::ReadNext(char* buffer, uint32_t count) {
  uint32_t delivered = 0;
  if (!m_bEnded && count != 0) {
    m_file.Seek(static_cast<int64_t>(m_nPosition), CFile64::begin);
    delivered = m_file.Read(buffer, count);
    m_bEnded = delivered < count;
  }
  std::memset(buffer + delivered, 0, count - delivered);
  m_nPosition += count;
}

}  // namespace mendrel
