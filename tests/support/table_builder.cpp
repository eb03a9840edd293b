#include "table_builder.h"

#include <algorithm>
#include <cstring>

#include "temp_dir.h"

namespace tessaly_test {
namespace {

void PutLittle(Bytes& bytes, size_t offset, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

}  // namespace

Descriptor MakeDescriptor(const std::string& name, char type, uint8_t length, uint8_t decimals) {
  Descriptor d{};
  std::memcpy(d.data(), name.data(), std::min<size_t>(name.size(), 11));
  d[11] = static_cast<uint8_t>(type);
  d[16] = length;
  d[17] = decimals;
  return d;
}

TableBuilder& TableBuilder::Version(uint8_t version) { version_ = version; return *this; }

TableBuilder& TableBuilder::Date(uint8_t year, uint8_t month, uint8_t day) {
  date_[0] = year;
  date_[1] = month;
  date_[2] = day;
  return *this;
}

TableBuilder& TableBuilder::Field(const std::string& name, char type, uint8_t length, uint8_t decimals) {
  return RawDescriptor(MakeDescriptor(name, type, length, decimals));
}

TableBuilder& TableBuilder::RawDescriptor(const Descriptor& d) { descriptors_.push_back(d); return *this; }
TableBuilder& TableBuilder::HeaderLength(uint16_t length) { headerLength_ = length; return *this; }
TableBuilder& TableBuilder::RecordLength(uint16_t length) { recordLength_ = length; return *this; }
TableBuilder& TableBuilder::RecordCount(uint32_t count) { recordCount_ = static_cast<int>(count); return *this; }
TableBuilder& TableBuilder::ExtraHeaderBytes(const Bytes& bytes) { extra_ = bytes; return *this; }

TableBuilder& TableBuilder::Record(const std::string& values, char flag) {
  records_.push_back(std::string(1, flag) + values);
  return *this;
}

TableBuilder& TableBuilder::NoEndMark() { endMark_ = false; return *this; }
TableBuilder& TableBuilder::Trailer(const Bytes& bytes) { trailer_ = bytes; return *this; }

Bytes TableBuilder::Header() const {
  Bytes header(32, 0);
  header[0] = static_cast<char>(version_);
  for (int i = 0; i < 3; ++i) header[1 + i] = static_cast<char>(date_[i]);
  uint32_t recordLength = 1;
  for (const Descriptor& d : descriptors_) recordLength += d[16];
  PutLittle(header, 4, recordCount_ >= 0 ? static_cast<uint32_t>(recordCount_) : records_.size(), 4);
  PutLittle(header, 8, headerLength_ >= 0 ? headerLength_ : 32 * descriptors_.size() + 33 + extra_.size(), 2);
  PutLittle(header, 10, recordLength_ >= 0 ? static_cast<uint32_t>(recordLength_) : recordLength, 2);
  return header;
}

Bytes TableBuilder::Build() const {
  Bytes bytes = Header();
  for (const Descriptor& d : descriptors_) bytes.insert(bytes.end(), d.begin(), d.end());
  bytes.push_back(0x0D);
  bytes.insert(bytes.end(), extra_.begin(), extra_.end());
  for (const std::string& record : records_) bytes.insert(bytes.end(), record.begin(), record.end());
  if (endMark_) bytes.push_back(0x1A);
  bytes.insert(bytes.end(), trailer_.begin(), trailer_.end());
  return bytes;
}

void TableBuilder::WriteTo(const std::string& path) const { WriteWholeFile(path, Build()); }

std::string MemoPointerText(uint32_t block, size_t width) {
  std::string digits = std::to_string(block);
  return std::string(width > digits.size() ? width - digits.size() : 0, ' ') + digits;
}

uint16_t Little16(const Bytes& bytes, size_t offset) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8);
}

uint32_t Little32(const Bytes& bytes, size_t offset) {
  return Little16(bytes, offset) | static_cast<uint32_t>(Little16(bytes, offset + 2)) << 16;
}

}  // namespace tessaly_test
