// The display services: ordinal 2 on the field's bytes, then ordinal 3 on the same
// bytes with the memo file behind an in-memory file handle. Field buffers and text
// buffers are exactly as large as the caller says, so the sanitizers see any byte
// written or read outside them, down to text buffers smaller than the truncation mark.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz_input.h"
#include "mendrel.h"

using tessaly_fuzz::DisplayInput;

namespace {

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_display: %s\n", what);
  std::abort();
}

// The memo bytes as a file only this process sees.
class MemoHandle {
 public:
  explicit MemoHandle(const std::string& bytes) : fd_(memfd_create("memo", MFD_CLOEXEC)) {
    Check(fd_ >= 0, "memfd_create");
    Check(write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "write memo");
    lseek(fd_, 0, SEEK_SET);
  }
  ~MemoHandle() { close(fd_); }
  MemoHandle(const MemoHandle&) = delete;
  MemoHandle& operator=(const MemoHandle&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

std::unique_ptr<char[]> CopyOf(const std::string& bytes) {
  auto copy = std::make_unique<char[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), copy.get());
  return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const DisplayInput input = tessaly_fuzz::DecodeDisplayInput(data, size);
  const auto descriptor = CopyOf(input.descriptor);
  const auto* descriptorBytes =
      input.nullDescriptor ? nullptr : reinterpret_cast<const unsigned char*>(descriptor.get());

  auto field = CopyOf(input.fieldBytes);
  MendrelDisplayFieldValue()(input.nullFieldBytes ? nullptr : field.get(), descriptorBytes, input.optionWord);

  MemoHandle memo(input.memo);
  const intptr_t handle = input.noHandle ? 0 : input.invalidHandle ? -1 : memo.fd();
  const std::string memoPath = input.fptPath ? "/nowhere/t.FPT" : "/nowhere/t.dbt";
  auto text = std::make_unique<char[]>(input.textSize);
  field = CopyOf(input.fieldBytes);
  MendrelDisplayMemoValue()(input.nullFieldBytes ? nullptr : field.get(), descriptorBytes, handle,
                            input.blockSize, memoPath.c_str(), text.get(), input.textSize);
  Check(std::string(field.get(), input.fieldBytes.size()) == input.fieldBytes,
        "ordinal 3 leaves the field alone");
  return 0;
}
