#pragma once

#include <cstdint>
#include <memory>

namespace mendrel {

// Bytes written to a memo file that have not reached the platform yet: one run of
// neighbouring bytes from a file position on. Many small memos then cost one platform
// write; memory stays bounded by one memo piece whatever the file's size.
class MemoStaging {
 public:
  // The run is handed over once it holds this much.
  static constexpr uint32_t kRunSize = 1024 * 1024;

  bool IsEmpty() const { return m_nUsed == 0; }
  uint64_t Start() const { return m_nStart; }
  uint64_t End() const { return m_nStart + m_nUsed; }
  const char* Data() const { return m_pBytes.get(); }
  uint32_t Size() const { return m_nUsed; }

  // Whether count more bytes written at position extend this run without outgrowing it.
  // An empty run takes anything up to one memo piece.
  bool Takes(uint64_t position, uint32_t count) const;
  // Room for count bytes at position, which the run must take; the caller fills it.
  char* Reserve(uint64_t position, uint32_t count);
  void Clear() { m_nUsed = 0; }

 private:
  std::unique_ptr<char[]> m_pBytes;
  uint32_t m_nCapacity = 0;
  uint64_t m_nStart = 0;
  uint32_t m_nUsed = 0;
};

}  // namespace mendrel
