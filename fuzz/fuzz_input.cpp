#include "fuzz_input.h"

#include <algorithm>

namespace tessaly_fuzz {
namespace {

enum RepairControl : uint8_t {
  kFptMemo = 0x01,
  kUpperCaseNames = 0x02,
  kNoMemoFile = 0x04,
};
constexpr int kStopQueryShift = 3;

enum DisplayControl : uint8_t {
  kFptPath = 0x01,
  kNullFieldBytes = 0x02,
  kNullDescriptor = 0x04,
  kNoHandle = 0x08,
  kInvalidHandle = 0x10,
};

// Reads little-endian numbers and byte runs; past the end everything is zero.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint32_t Number(int width) {
    uint32_t value = 0;
    for (int i = 0; i < width; ++i) value |= uint32_t{Byte()} << (8 * i);
    return value;
  }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // count bytes, zero-padded when the input ends first.
  std::string Bytes(size_t count) {
    std::string bytes(count, '\0');
    const size_t available = std::min(count, size_ - at_);
    std::copy_n(data_ + at_, available, bytes.begin());
    at_ += available;
    return bytes;
  }
  size_t Remaining() const { return size_ - at_; }
  std::string Rest() { return Bytes(Remaining()); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void PutNumber(std::string& out, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

RepairInput DecodeRepairInput(const uint8_t* data, size_t size) {
  Reader in(data, size);
  RepairInput input;
  input.optionWord = in.Number(4);
  const uint8_t control = in.Byte();
  input.fptMemo = (control & kFptMemo) != 0;
  input.upperCaseNames = (control & kUpperCaseNames) != 0;
  input.noMemoFile = (control & kNoMemoFile) != 0;
  input.stopFromQuery = static_cast<uint8_t>(control >> kStopQueryShift);
  const uint32_t tableLength = in.Number(4);
  input.table = in.Bytes(std::min<size_t>(tableLength, in.Remaining()));
  input.memo = in.Rest();
  return input;
}

std::string EncodeRepairInput(const RepairInput& input) {
  std::string out;
  PutNumber(out, input.optionWord, 4);
  out.push_back(
      static_cast<char>((input.fptMemo ? kFptMemo : 0) | (input.upperCaseNames ? kUpperCaseNames : 0) |
                        (input.noMemoFile ? kNoMemoFile : 0) | (input.stopFromQuery << kStopQueryShift)));
  PutNumber(out, static_cast<uint32_t>(input.table.size()), 4);
  return out + input.table + input.memo;
}

DisplayInput DecodeDisplayInput(const uint8_t* data, size_t size) {
  Reader in(data, size);
  DisplayInput input;
  input.descriptor = in.Bytes(kDescriptorSize);
  input.optionWord = in.Number(4);
  input.blockSize = in.Number(4);
  input.textSize = static_cast<uint16_t>(in.Number(2));
  const uint8_t control = in.Byte();
  input.fptPath = (control & kFptPath) != 0;
  input.nullFieldBytes = (control & kNullFieldBytes) != 0;
  input.nullDescriptor = (control & kNullDescriptor) != 0;
  input.noHandle = (control & kNoHandle) != 0;
  input.invalidHandle = (control & kInvalidHandle) != 0;
  input.fieldBytes = in.Bytes(static_cast<uint8_t>(input.descriptor[kDescriptorLengthOffset]));
  input.memo = in.Rest();
  return input;
}

std::string EncodeDisplayInput(const DisplayInput& input) {
  std::string out = input.descriptor;
  out.resize(kDescriptorSize, '\0');
  PutNumber(out, input.optionWord, 4);
  PutNumber(out, input.blockSize, 4);
  PutNumber(out, input.textSize, 2);
  out.push_back(
      static_cast<char>((input.fptPath ? kFptPath : 0) | (input.nullFieldBytes ? kNullFieldBytes : 0) |
                        (input.nullDescriptor ? kNullDescriptor : 0) | (input.noHandle ? kNoHandle : 0) |
                        (input.invalidHandle ? kInvalidHandle : 0)));
  std::string field = input.fieldBytes;
  field.resize(static_cast<uint8_t>(out[kDescriptorLengthOffset]), '\0');
  return out + field + input.memo;
}

}  // namespace tessaly_fuzz
