#include "field_descriptor.h"

#include "field_name.h"

namespace mendrel {
namespace {

constexpr uint8_t kFallbackType = 'C';
constexpr int kPlausibleScore = 2;

// Type letters by byte, looked up for every field of every record.
enum TypeClass : uint8_t { kUnknownType = 0, kKnown = 1, kKnownMemo = 3 };

constexpr std::array<uint8_t, 256> MakeTypeTable() {
  std::array<uint8_t, 256> table{};
  for (const char* type = "BCDFGILMNPTVXY"; *type != 0; ++type) table[static_cast<uint8_t>(*type)] = kKnown;
  for (const char* type = "GMPV"; *type != 0; ++type) table[static_cast<uint8_t>(*type)] = kKnownMemo;
  return table;
}

constexpr std::array<uint8_t, 256> kTypeTable = MakeTypeTable();

}  // namespace

bool IsKnownFieldType(uint8_t type) { return kTypeTable[type] != kUnknownType; }

bool IsMemoFieldType(uint8_t type) { return kTypeTable[type] == kKnownMemo; }

bool HasMemoField(const FieldList& fields) {
  for (const FieldDescriptor& field : fields)
    if (IsMemoFieldType(field[kFieldType])) return true;
  return false;
}

bool IsPlausibleDescriptor(const FieldDescriptor& block) {
  int score = 0;
  if (IsValidFieldName(block.data(), kFieldNameSize)) ++score;
  if (IsKnownFieldType(block[kFieldType])) ++score;
  if (FieldLength(block) != 0) ++score;
  return score >= kPlausibleScore;
}

void RepairDescriptor(FieldDescriptor& block) {
  RepairFieldName(block.data(), kFieldNameSize);
  if (!IsKnownFieldType(block[kFieldType])) block[kFieldType] = kFallbackType;
  block[kFieldLastByte] = 0;
}

}  // namespace mendrel
