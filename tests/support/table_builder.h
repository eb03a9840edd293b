#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaly_test {

using Bytes = std::vector<char>;
using Descriptor = std::array<uint8_t, 32>;

// One field descriptor with its name NUL-padded to 11 bytes.
Descriptor MakeDescriptor(const std::string& name, char type, uint8_t length, uint8_t decimals = 0);

// A DBF table assembled byte by byte: header, descriptors, terminator, extra header
// bytes, records, end mark. The header's lengths follow the fields unless set.
class TableBuilder {
 public:
  TableBuilder& Version(uint8_t version);
  TableBuilder& Date(uint8_t yearsSince1900, uint8_t month, uint8_t day);
  TableBuilder& Field(const std::string& name, char type, uint8_t length, uint8_t decimals = 0);
  TableBuilder& RawDescriptor(const Descriptor& descriptor);
  TableBuilder& HeaderLength(uint16_t length);
  TableBuilder& RecordLength(uint16_t length);
  TableBuilder& RecordCount(uint32_t count);
  TableBuilder& ExtraHeaderBytes(const Bytes& bytes);
  // One record: its flag and the concatenated field values.
  TableBuilder& Record(const std::string& values, char flag = ' ');
  TableBuilder& NoEndMark();
  // Bytes appended after the end mark (or after the records without one).
  TableBuilder& Trailer(const Bytes& bytes);

  Bytes Header() const;  // the 32 header bytes
  Bytes Build() const;
  void WriteTo(const std::string& path) const;

 private:
  uint8_t version_ = 0x03;
  uint8_t date_[3] = {124, 5, 17};
  std::vector<Descriptor> descriptors_;
  int headerLength_ = -1;
  int recordLength_ = -1;
  int recordCount_ = -1;
  Bytes extra_;
  std::vector<std::string> records_;
  bool endMark_ = true;
  Bytes trailer_;
};

// A memo pointer as text: the block number right-aligned in width characters.
std::string MemoPointerText(uint32_t block, size_t width = 10);

uint16_t Little16(const Bytes& bytes, size_t offset);
uint32_t Little32(const Bytes& bytes, size_t offset);

}  // namespace tessaly_test
