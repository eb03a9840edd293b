#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "io/file64.h"

namespace mendrel {

// Writes a file through a buffer of its own, so that a table written one field value at
// a time costs one platform write per buffer. The bytes reach the file in the order they
// were written; a failed write surfaces as the CFileException of the file beneath, at
// the latest when the buffer is flushed (by a full buffer, Seek, FlushBuffer or Close).
class CBufferedWriter {
 public:
  explicit CBufferedWriter(uint32_t bufferSize);
  // Writes what is pending, ignoring failure (a failure already ends the pass).
  ~CBufferedWriter();
  CBufferedWriter(const CBufferedWriter&) = delete;
  CBufferedWriter& operator=(const CBufferedWriter&) = delete;

  bool Open(const char* name, uint32_t flags, CFileException* error);
  bool IsOpen() const { return m_file.IsOpen(); }

  void Write(const void* data, uint32_t count);
  void WriteByte(uint8_t byte);
  // For a block of bytes gathered elsewhere, which a copy would only slow down: written
  // straight to the file after what is pending, unless it fits beside bytes the buffer
  // already holds (a small table then still costs one platform write).
  void WriteThrough(const void* data, uint32_t count);
  void Seek(uint64_t position);
  // Writes what is pending to the file.
  void FlushBuffer();
  void Close();

 private:
  CFile64 m_file;
  std::unique_ptr<char[]> m_buffer;
  uint32_t m_capacity;
  uint32_t m_used = 0;
};

}  // namespace mendrel
