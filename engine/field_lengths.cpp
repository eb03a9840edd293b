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
  FieldLengths plain = PlainFieldLengths(fields);
  FieldLengths wide = LongFieldLengths(fields);
  if (RecordLength(wide) == sourceRecordLength && RecordLength(plain) != sourceRecordLength) return wide;
  return plain;
}

FieldLengths PlainFieldLengths(const FieldList& fields) {
  FieldLengths lengths;
  lengths.reserve(fields.size());
  for (const FieldDescriptor& field : fields) lengths.push_back(FieldLength(field));
  return lengths;
}

FieldLengths LongFieldLengths(const FieldList& fields) {
  FieldLengths lengths;
  lengths.reserve(fields.size());
  for (const FieldDescriptor& field : fields) lengths.push_back(LongCharacterLength(field));
  return lengths;
}

uint32_t RecordLength(const FieldLengths& lengths) {
  uint32_t length = 1;  // the deletion flag
  for (uint32_t fieldLength : lengths) length += fieldLength;
  return length;
}

}  // namespace mendrel
