#include "io/file64ex.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "io/platform.h"

namespace mendrel {
namespace {

void RefreshBuffer(FileBuffer& buffer, uint64_t position, const char* bytes, uint32_t count) {
  if (buffer.IsEmpty()) return;
  uint64_t first = std::max(position, buffer.position);
  uint64_t end = std::min(position + count, buffer.position + buffer.valid);
  if (first < end)
    std::memcpy(buffer.data + (first - buffer.position), bytes + (first - position), end - first);
}

}  // namespace

const CRuntimeClass CFile64Ex::classCFile64Ex = {"CFile64Ex", &CFile64::classCFile64};

CFile64Ex::CFile64Ex(uint32_t bufferSize)
    : m_nBufferSize(bufferSize != 0 ? bufferSize : kDefaultBufferSize),
      m_nPosition(0),
      m_nSectorSize(kDefaultSectorSize) {
  AllocateBuffers();
}

CFile64Ex::CFile64Ex(FileHandle handle, uint32_t bufferSize)
    : CFile64(handle),
      m_nBufferSize(bufferSize != 0 ? bufferSize : kDefaultBufferSize),
      m_nPosition(0),
      m_nSectorSize(kDefaultSectorSize) {
  AllocateBuffers();
}

CFile64Ex::~CFile64Ex() = default;

// Both buffers share one block, A in its first half and B in its second.
void CFile64Ex::AllocateBuffers() {
  try {
    m_pBuffer = std::make_unique_for_overwrite<char[]>(2 * static_cast<size_t>(m_nBufferSize));
    m_pBufA = std::make_unique<FileBuffer>();
    m_pBufB = std::make_unique<FileBuffer>();
  } catch (const std::bad_alloc&) {
    throw CMemoryException();
  }
  m_pBufA->data = m_pBuffer.get();
  m_pBufB->data = m_pBuffer.get() + m_nBufferSize;
  m_pBufA->capacity = m_pBufB->capacity = m_nBufferSize;
}

const CRuntimeClass* CFile64Ex::GetRuntimeClass() const { return &classCFile64Ex; }

uint64_t CFile64Ex::GetPosition() const { return m_nPosition; }

bool CFile64Ex::Open(const char* name, uint32_t flags, CFileException* error) {
  m_nPosition = 0;
  EmptyBuffers();
  if (!CFile64::Open(name, flags, error)) return false;
  uint32_t sectorSize = CurrentPlatform().BytesPerSector(m_strFileName.c_str());
  m_nSectorSize = sectorSize != 0 ? sectorSize : kDefaultSectorSize;
  return true;
}

std::unique_ptr<CFile64> CFile64Ex::Duplicate() const { throw CNotSupportedException(); }

void CFile64Ex::LockRange(uint64_t, uint64_t) { throw CNotSupportedException(); }

void CFile64Ex::UnlockRange(uint64_t, uint64_t) { throw CNotSupportedException(); }

uint64_t CFile64Ex::Seek(int64_t offset, uint32_t origin) {
  switch (origin) {
    case begin:
      m_nPosition = static_cast<uint64_t>(offset);
      break;
    case current:
      m_nPosition += static_cast<uint64_t>(offset);
      break;
    case end:
      m_nPosition = CFile64::Seek(0, end) + static_cast<uint64_t>(offset);
      break;
    default:
      break;
  }
  return m_nPosition;
}

void CFile64Ex::SetLength(uint64_t length) {
  CFile64::Seek(static_cast<int64_t>(length), begin);
  if (int error = CurrentPlatform().SetSize(m_hFile, length)) CFileException::ThrowOsError(error);
  EmptyBuffers();  // they may hold bytes that are gone now
  m_nPosition = 0;
}

void CFile64Ex::Flush() {
  CFile64::Seek(static_cast<int64_t>(m_nPosition), begin);
  CFile64::Flush();
}

uint32_t CFile64Ex::Read(void* buffer, uint32_t count) {
  if (count == 0) return 0;
  char* destination = static_cast<char*>(buffer);
  uint32_t remaining = count;
  while (remaining > 0) {
    if (CopyFromBuffer(*m_pBufA, destination, remaining)) continue;
    if (CopyFromBuffer(*m_pBufB, destination, remaining)) continue;
    if (remaining <= m_nBufferSize) {
      if (FillBuffer() == 0) break;
      continue;
    }
    // Whole buffers' worth go straight into the caller's memory.
    uint32_t direct = remaining / m_nBufferSize * m_nBufferSize;
    uint32_t delivered = ReadSectors(destination, direct);
    m_nPosition += delivered;
    destination += delivered;
    remaining -= delivered;
    if (delivered < direct) break;
  }
  return count - remaining;
}

bool CFile64Ex::CopyFromBuffer(const FileBuffer& buffer, char*& destination, uint32_t& remaining) {
  if (!buffer.Holds(m_nPosition)) return false;
  uint64_t offset = m_nPosition - buffer.position;
  uint32_t size = std::min<uint32_t>(remaining, buffer.valid - static_cast<uint32_t>(offset));
  std::memcpy(destination, buffer.data + offset, size);
  m_nPosition += size;
  destination += size;
  remaining -= size;
  return true;
}

uint32_t CFile64Ex::FillBuffer() {
  FileBuffer& buffer = BufferToFill();
  buffer.position = m_nPosition;
  buffer.valid = 0;
  buffer.valid = ReadSectors(buffer.data, buffer.capacity);
  return buffer.valid;
}

// Called when neither buffer holds the logical position.
FileBuffer& CFile64Ex::BufferToFill() {
  FileBuffer& a = *m_pBufA;
  FileBuffer& b = *m_pBufB;
  if (a.IsEmpty()) return a;
  if (b.IsEmpty()) return b;
  if (b.position >= m_nPosition) return b;
  if (a.position >= m_nPosition) return a;
  return a.position < b.position ? a : b;
}

// One positioned read usually delivers the whole request; only when it does not
// (an unreadable sector, the end of the file, any failure) is the request read
// again sector by sector, which gives the same bytes.
uint32_t CFile64Ex::ReadSectors(char* destination, uint32_t count) {
  if (count == 0) return 0;
  uint32_t done = 0;
  if (m_nPosition <= kMaxFileOffset &&
      CurrentPlatform().ReadAt(m_hFile, destination, count, m_nPosition, done) == 0 &&
      done == count)
    return count;
  return ReadSectorsOneByOne(destination, count);
}

// Reads the part before the next sector boundary, each whole sector, then the rest,
// one platform read each; a piece that cannot be read becomes zeros and is skipped.
uint32_t CFile64Ex::ReadSectorsOneByOne(char* destination, uint32_t count) {
  Platform& platform = CurrentPlatform();
  uint64_t ignored = 0;
  if (platform.Seek(m_hFile, static_cast<int64_t>(m_nPosition), SeekOrigin::begin, ignored) != 0)
    return 0;
  uint32_t head = static_cast<uint32_t>(m_nPosition % m_nSectorSize);
  if (head != 0) head = std::min(m_nSectorSize - head, count);
  uint32_t wholeSectors = (count - head) / m_nSectorSize;
  uint32_t tail = (count - head) % m_nSectorSize;

  uint32_t total = 0;
  auto readPiece = [&](uint32_t size) {
    uint32_t done = 0;
    if (platform.Read(m_hFile, destination, size, done) != 0) {
      std::memset(destination, 0, size);
      platform.Seek(m_hFile, size, SeekOrigin::current, ignored);
      done = size;
    } else if (done == 0) {
      return false;  // end of file
    }
    total += done;
    destination += done;
    return true;
  };
  if (head != 0 && !readPiece(head)) return total;
  for (uint32_t sector = 0; sector < wholeSectors; ++sector)
    if (!readPiece(m_nSectorSize)) return total;
  if (tail != 0) readPiece(tail);
  return total;
}

// Writes at the logical position without moving the handle's file pointer.
void CFile64Ex::Write(const void* buffer, uint32_t count) {
  if (count == 0) return;
  if (m_nPosition > kMaxFileOffset) {
    // The platform cannot get there: nothing is written and the position falls back
    // to where the file pointer stands.
    m_nPosition = CFile64::GetPosition();
    return;
  }
  uint32_t done = 0;
  int error = CurrentPlatform().WriteAt(m_hFile, buffer, count, m_nPosition, done);
  RefreshBuffers(m_nPosition, static_cast<const char*>(buffer), done);
  m_nPosition += done;
  CheckWritten(error, done, count);
}

void CFile64Ex::RefreshBuffers(uint64_t position, const char* bytes, uint32_t count) {
  RefreshBuffer(*m_pBufA, position, bytes, count);
  RefreshBuffer(*m_pBufB, position, bytes, count);
}

void CFile64Ex::EmptyBuffers() {
  for (FileBuffer* buffer : {m_pBufA.get(), m_pBufB.get()}) {
    buffer->position = 0;
    buffer->valid = 0;
  }
}

}  // namespace mendrel
