#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace mendrel {

// One 32-byte field descriptor of a DBF header.
inline constexpr size_t kFieldDescriptorSize = 32;
using FieldDescriptor = std::array<uint8_t, kFieldDescriptorSize>;
// The accepted descriptors of a table, in field order.
using FieldList = std::vector<FieldDescriptor>;
// One flag per entry of a FieldList: nonzero when the field belongs to the output part.
using FieldSelection = std::vector<uint32_t>;

inline constexpr size_t kFieldNameSize = 11;
inline constexpr size_t kFieldType = 11;
inline constexpr size_t kFieldLength = 16;
inline constexpr size_t kFieldLastByte = 31;
inline constexpr size_t kMaxFieldDescriptors = 2046;

inline uint8_t FieldLength(const FieldDescriptor& field) { return field[kFieldLength]; }

bool IsKnownFieldType(uint8_t type);
// Types whose value is a block number in the memo file.
bool IsMemoFieldType(uint8_t type);
bool HasMemoField(const FieldList& fields);

// Scores name, type and length; two of the three make a descriptor believable.
bool IsPlausibleDescriptor(const FieldDescriptor& block);
// Mends the name and the type letter of an accepted descriptor and clears its last byte.
void RepairDescriptor(FieldDescriptor& block);

}  // namespace mendrel
