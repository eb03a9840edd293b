#include "field_lengths.h"

namespace mendrel {
namespace {

constexpr uint8_t kCharacterType = 'C';

uint32_t LongCharacterLength(const FieldDescriptor& field) {
  const uint32_t high = field[kFieldType] == kCharacterType ? field[kFieldDecimals] : 0;
  return FieldLength(field) | high << 8;
}

}  // namespace

FieldLengths RecordFieldLengths(const FieldList& fields, uint16_t sourceRecordLength) {
  FieldLengths plain, wide;
  for (const FieldDescriptor& field : fields) {
    plain.push_back(FieldLength(field));
    wide.push_back(LongCharacterLength(field));
  }
  if (RecordLength(wide) == sourceRecordLength && RecordLength(plain) != sourceRecordLength) return wide;
  return plain;
}

uint32_t RecordLength(const FieldLengths& lengths) {
  uint32_t length = 1;  // the deletion flag
  for (uint32_t fieldLength : lengths) length += fieldLength;
  return length;
}

}  // namespace mendrel
