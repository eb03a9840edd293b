#include "field_descriptor.h"

#include <cstring>

#include "field_name.h"

namespace mendrel {
namespace {

constexpr char kKnownTypes[] = "BCDFGILMNPTVXY";
constexpr char kMemoTypes[] = "GMPV";
constexpr uint8_t kFallbackType = 'C';
constexpr int kPlausibleScore = 2;

bool IsOneOf(uint8_t byte, const char* letters) {
  return byte != 0 && std::strchr(letters, byte) != nullptr;
}

}  // namespace

bool IsKnownFieldType(uint8_t type) { return IsOneOf(type, kKnownTypes); }

bool IsMemoFieldType(uint8_t type) { return IsOneOf(type, kMemoTypes); }

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
