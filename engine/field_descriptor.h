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
inline constexpr size_t kFieldDecimals = 17;
inline constexpr size_t kFieldFlags = 18;
inline constexpr size_t kFieldLastByte = 31;
inline constexpr size_t kMaxFieldDescriptors = 2046;

inline uint8_t FieldLength(const FieldDescriptor& field) { return field[kFieldLength]; }

// Type letters a table of the given source version may hold; the Visual FoxPro family
// knows more of them than the others.
bool IsKnownFieldType(uint8_t type, uint8_t sourceVersion);
// The letters of memo-type fields outside the Visual FoxPro family: G, M, P, V.
bool IsMemoFieldType(uint8_t type);
// Whether a field of a table of the given source version holds a memo block number.
bool IsMemoField(uint8_t type, uint32_t length, uint8_t sourceVersion);
bool HasMemoField(const FieldList& fields, uint8_t sourceVersion);
// A field the writer keeps for itself, such as the null flags of Visual FoxPro: its bytes
// are part of every record, and its descriptor is kept as it is.
bool IsSystemField(const FieldDescriptor& block);

// Scores name, type and length; two of the three make a descriptor believable.
bool IsPlausibleDescriptor(const FieldDescriptor& block, uint8_t sourceVersion);
// Mends the name and the type letter of an accepted descriptor and clears its last byte.
void RepairDescriptor(FieldDescriptor& block, uint8_t sourceVersion);

}  // namespace mendrel
