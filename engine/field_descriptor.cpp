#include "field_descriptor.h"

#include "field_name.h"
#include "memo_pointer.h"
#include "table_header.h"

namespace mendrel {
namespace {

constexpr uint8_t kFallbackType = 'C';
constexpr uint8_t kSystemFieldType = '0';
constexpr uint8_t kSystemFieldFlag = 0x01;
constexpr uint8_t kBlobType = 'W';  // a memo pointer only when it is 4 bytes long
constexpr int kPlausibleScore = 2;

// What a type letter is, outside and inside the Visual FoxPro family; looked up for every
// field of every record.
enum TypeBits : uint8_t { kKnown = 1, kMemo = 2, kFamilyKnown = 4, kFamilyMemo = 8 };

constexpr std::array<uint8_t, 256> MakeTypeTable() {
  std::array<uint8_t, 256> table{};
  auto mark = [&table](const char* types, uint8_t bits) {
    for (; *types != 0; ++types) table[static_cast<uint8_t>(*types)] |= bits;
  };
  mark("BCDFGILMNPTVXY", kKnown);
  mark("GMPV", kMemo);
  mark("BCDFGILMNPTVXY0QW", kFamilyKnown);
  mark("GMP", kFamilyMemo);
  return table;
}

constexpr std::array<uint8_t, 256> kTypeTable = MakeTypeTable();

}  // namespace

bool IsKnownFieldType(uint8_t type, uint8_t sourceVersion) {
  return (kTypeTable[type] & (IsVisualFoxProFamily(sourceVersion) ? kFamilyKnown : kKnown)) != 0;
}

bool IsMemoFieldType(uint8_t type) { return (kTypeTable[type] & kMemo) != 0; }

bool IsMemoField(uint8_t type, uint32_t length, uint8_t sourceVersion) {
  if (!IsVisualFoxProFamily(sourceVersion)) return IsMemoFieldType(type);
  return (kTypeTable[type] & kFamilyMemo) != 0 || (type == kBlobType && length == kBinaryMemoPointerSize);
}

bool HasMemoField(const FieldList& fields, uint8_t sourceVersion) {
  for (const FieldDescriptor& field : fields)
    if (IsMemoField(field[kFieldType], FieldLength(field), sourceVersion)) return true;
  return false;
}

bool IsSystemField(const FieldDescriptor& block) {
  return block[kFieldType] == kSystemFieldType && (block[kFieldFlags] & kSystemFieldFlag) != 0;
}

bool IsPlausibleDescriptor(const FieldDescriptor& block, uint8_t sourceVersion) {
  if (IsSystemField(block)) return true;
  int score = 0;
  if (IsValidFieldName(block.data(), kFieldNameSize)) ++score;
  if (IsKnownFieldType(block[kFieldType], sourceVersion)) ++score;
  if (FieldLength(block) != 0) ++score;
  return score >= kPlausibleScore;
}

void RepairDescriptor(FieldDescriptor& block, uint8_t sourceVersion) {
  if (IsSystemField(block)) return;
  RepairFieldName(block.data(), kFieldNameSize);
  if (!IsKnownFieldType(block[kFieldType], sourceVersion)) block[kFieldType] = kFallbackType;
  block[kFieldLastByte] = 0;
}

}  // namespace mendrel
