#include "field_descriptor_scan.h"

#include <optional>

namespace mendrel {
namespace {

// Header lengths of the form 32n + 33, or 32n + 296 when 263 bytes follow the list.
constexpr uint32_t kPlainListOverhead = kTableHeaderSize + 1;
constexpr uint32_t kBackLinkListOverhead = kPlainListOverhead + kBackLinkSize;
constexpr uint32_t kSmallestPlainHeader = kPlainListOverhead + kFieldDescriptorSize;
constexpr uint32_t kSmallestBackLinkHeader = kBackLinkListOverhead + kFieldDescriptorSize;

std::optional<uint32_t> AnnouncedFieldCount(uint16_t headerLength) {
  if (headerLength >= kSmallestPlainHeader && (headerLength - 1) % kFieldDescriptorSize == 0)
    return (headerLength - kPlainListOverhead) / kFieldDescriptorSize;
  if (headerLength >= kSmallestBackLinkHeader && (headerLength - 8) % kFieldDescriptorSize == 0)
    return (headerLength - kBackLinkListOverhead) / kFieldDescriptorSize;
  return std::nullopt;
}

// True at the end of the data or at the terminator; the position is left unchanged.
bool AtEndOfList(CFile64Ex& source) {
  const uint64_t position = source.GetPosition();
  uint8_t byte = 0;
  const uint32_t read = source.Read(&byte, 1);
  source.Seek(static_cast<int64_t>(position), CFile64::begin);
  return read == 0 || byte == kDescriptorTerminator;
}

}  // namespace

bool ScanFieldDescriptors(RepairSession& session, const TableHeader& header, CFile64Ex& source,
                          FieldList& fields, DescriptorScan* scan) {
  const DescriptorReplacement* replacement = scan != nullptr && scan->replacement ? &*scan->replacement : nullptr;
  const std::optional<uint32_t> expected = AnnouncedFieldCount(ReadLittle16(&header[kHeaderLength]));
  const uint16_t recordLength = ReadLittle16(&header[kHeaderRecordLength]);
  const uint8_t version = header[kHeaderVersion];
  fields.clear();
  source.Seek(kTableHeaderSize, CFile64::begin);
  uint32_t count = 0;
  uint32_t lengthSum = 1;  // the deletion flag

  while (true) {
    if (session.QueryStop()) {
      if (scan != nullptr) scan->stopRequested = true;
      break;
    }
    if (count >= kMaxFieldDescriptors) break;
    if (expected && count == *expected) break;
    if (recordLength != 0 && static_cast<uint16_t>(lengthSum) == recordLength) break;
    if (AtEndOfList(source)) break;

    const uint64_t blockStart = source.GetPosition();
    FieldDescriptor block{};
    uint32_t read = source.Read(block.data(), kFieldDescriptorSize);
    const bool replaced = replacement != nullptr && replacement->index == count;
    if (replaced) {
      block = replacement->block;
      read = kFieldDescriptorSize;
    }
    if (!replaced && !IsPlausibleDescriptor(block, version)) {
      source.Seek(static_cast<int64_t>(blockStart), CFile64::begin);
      break;
    }
    ++count;
    if (read > kFieldLength) lengthSum += FieldLength(block);
    RepairDescriptor(block, version);
    fields.push_back(block);
    if (read < kFieldDescriptorSize) break;
    session.SendProgressAt(source.GetPosition());
  }
  return !fields.empty();
}

}  // namespace mendrel
