#pragma once

#include <cstdint>
#include <vector>

#include "io/file64.h"

namespace mendrel {

// Collects the bytes of one memo block run and writes them at the file's position in few
// writes, never holding more than one memo piece in memory.
class MemoStaging {
 public:
  explicit MemoStaging(CFile64& file) : m_file(file) {}

  // Room for count (at most one memo piece) more bytes, to be filled by the caller.
  char* Reserve(uint32_t count);
  void Fill(uint64_t count, unsigned char byte);
  void Flush();

 private:
  CFile64& m_file;
  std::vector<char> m_bytes;
};

}  // namespace mendrel
