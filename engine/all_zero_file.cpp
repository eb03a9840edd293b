#include "all_zero_file.h"

#include <algorithm>
#include <memory>

#include "io/file64ex.h"

namespace mendrel {
namespace {

constexpr uint32_t kScanSize = 0x400000;

bool AllZero(const char* bytes, uint32_t count) {
  return std::all_of(bytes, bytes + count, [](char c) { return c == 0; });
}

}  // namespace

bool IsAllZeroFile(const char* path) {
  CFile64Ex file(CFile64Ex::kDefaultBufferSize);
  if (!file.Open(path, CFile64::kReadFlags)) return false;
  const auto scratch = std::make_unique_for_overwrite<char[]>(kScanSize);
  uint32_t got = 0;
  do {
    got = file.Read(scratch.get(), kScanSize);
    if (!AllZero(scratch.get(), got)) {
      file.Close();
      return false;
    }
  } while (got == kScanSize);
  file.Close();
  return true;
}

}  // namespace mendrel
