#include "memo_block_probe.h"

#include <algorithm>
#include <cstring>

#include "byte_order.h"
#include "memo_file_name.h"
#include "positioned_reader.h"
#include "table_header.h"

namespace mendrel {
namespace {

constexpr uint32_t kBlockHeaderSize = 8;
constexpr uint32_t kDbase4Marker = 0x0008FFFF;
constexpr uint8_t kDbase3Terminator = 0x1A;
constexpr uint32_t kMemoBufferSize = 4096;

}  // namespace

bool IsPlausibleFptBlock(CFile64Ex& memo, uint64_t memoLength, uint64_t offset) {
  uint8_t header[kBlockHeaderSize];
  if (offset < kMemoHeaderSize || offset > memoLength || memoLength - offset < kBlockHeaderSize) return false;
  if (!PositionedReader(memo, memoLength).Read(offset, header, kBlockHeaderSize)) return false;
  return ReadBE32(header) <= kMemoTypeObject && ReadBE32(header + 4) <= memoLength - offset - kBlockHeaderSize;
}

MemoPointerCheck::MemoPointerCheck(std::string sourcePath, uint8_t sourceVersion)
    : sourcePath_(std::move(sourcePath)), sourceVersion_(sourceVersion), memo_(kMemoBufferSize) {}

bool MemoPointerCheck::OpenMemo() {
  if (tried_) return memo_.IsOpen();
  tried_ = true;
  // The memo kind the repair itself would choose for this table.
  const uint8_t kind = IsVisualFoxProFamily(sourceVersion_) ? kVersionVisualFoxPro : sourceVersion_;
  const std::string path = SourceMemoPath(sourcePath_, ChooseMemoExtension(sourcePath_, kind));
  if (!memo_.Open(path.c_str(), CFile64::kReadFlags)) return false;
  memo_.ReadHeader();
  length_ = memo_.GetLength();
  return true;
}

bool MemoPointerCheck::CheckOut(std::vector<uint32_t> pointers) {
  pointers.erase(std::remove(pointers.begin(), pointers.end(), 0), pointers.end());
  if (pointers.empty()) return false;
  std::sort(pointers.begin(), pointers.end());
  if (std::adjacent_find(pointers.begin(), pointers.end()) != pointers.end()) return false;
  if (!OpenMemo()) return false;
  return std::all_of(pointers.begin(), pointers.end(), [this](uint32_t pointer) { return LandsOnBlock(pointer); });
}

bool MemoPointerCheck::LandsOnBlock(uint32_t pointer) {
  if (!memo_.IsDbt()) return IsPlausibleFptBlock(memo_, length_, uint64_t{pointer} * memo_.m_nBlockSize);
  return IsPlausibleDbtBlock(pointer);
}

// A dBASE IV block announces itself; a dBASE III block is known by the end of the memo
// before it, or by being the first.
bool MemoPointerCheck::IsPlausibleDbtBlock(uint32_t pointer) {
  const uint64_t blockSize = memo_.m_nBlockSize;
  const uint64_t offset = pointer * blockSize;
  if (offset >= length_) return false;
  PositionedReader reader(memo_, length_);
  uint8_t header[kBlockHeaderSize];
  if (reader.Read(offset, header, kBlockHeaderSize) && ReadLE32(header) == kDbase4Marker) {
    const uint32_t stored = ReadLE32(header + 4);
    if (stored >= kBlockHeaderSize && stored <= length_ - offset) return true;
  }
  if (pointer == 1) return true;
  std::vector<uint8_t> before(blockSize);
  reader.Read(offset - blockSize, before.data(), static_cast<uint32_t>(blockSize));
  return std::memchr(before.data(), kDbase3Terminator, before.size()) != nullptr;
}

}  // namespace mendrel
