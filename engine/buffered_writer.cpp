#include "buffered_writer.h"

#include <cstring>

namespace mendrel {

CBufferedWriter::CBufferedWriter(uint32_t bufferSize)
    : m_buffer(std::make_unique<char[]>(bufferSize)), m_capacity(bufferSize) {}

CBufferedWriter::~CBufferedWriter() {
  try {
    FlushBuffer();
  } catch (...) {
  }
}

bool CBufferedWriter::Open(const char* name, uint32_t flags, CFileException* error) {
  m_used = 0;
  return m_file.Open(name, flags, error);
}

void CBufferedWriter::Write(const void* data, uint32_t count) {
  const char* bytes = static_cast<const char*>(data);
  if (m_used + static_cast<uint64_t>(count) > m_capacity) {
    FlushBuffer();
    if (count >= m_capacity) {
      m_file.Write(bytes, count);
      return;
    }
  }
  std::memcpy(m_buffer.get() + m_used, bytes, count);
  m_used += count;
}

void CBufferedWriter::WriteThrough(const void* data, uint32_t count) {
  if (m_used != 0 && m_used + static_cast<uint64_t>(count) <= m_capacity) {
    Write(data, count);
    return;
  }
  FlushBuffer();
  m_file.Write(data, count);
}

void CBufferedWriter::WriteByte(uint8_t byte) {
  if (m_used == m_capacity) FlushBuffer();
  m_buffer[m_used++] = static_cast<char>(byte);
}

void CBufferedWriter::Seek(uint64_t position) {
  FlushBuffer();
  m_file.Seek(static_cast<int64_t>(position), CFile64::begin);
}

void CBufferedWriter::FlushBuffer() {
  if (m_used == 0 || !m_file.IsOpen()) return;
  const uint32_t pending = m_used;
  m_used = 0;  // a failed write is not tried again
  m_file.Write(m_buffer.get(), pending);
}

void CBufferedWriter::Close() {
  try {
    FlushBuffer();
  } catch (...) {
    m_file.Abort();
    throw;
  }
  m_file.Close();
}

}  // namespace mendrel
