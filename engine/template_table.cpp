#include "template_table.h"

#include "io/file64ex.h"
#include "record_start_sampling.h"

namespace mendrel {
namespace {

bool ReadSoundFieldList(CFile64Ex& file, uint16_t headerLength, uint8_t version, FieldList& fields) {
  file.Seek(kTableHeaderSize, CFile64::begin);
  for (uint64_t at = kTableHeaderSize; at < headerLength && fields.size() < kMaxFieldDescriptors;
       at += kFieldDescriptorSize) {
    FieldDescriptor block{};
    const uint32_t read = file.Read(block.data(), kFieldDescriptorSize);
    if (read >= 1 && block[0] == kDescriptorTerminator) return !fields.empty();
    if (read < kFieldDescriptorSize || !IsPlausibleDescriptor(block, version)) return false;
    fields.push_back(block);
  }
  return false;
}

}  // namespace

TemplateRead ReadTemplateTable(const std::string& path, TemplateTable& table, CFileException& openError) {
  CFile64Ex file;
  if (!file.Open(path.c_str(), CFile64::kReadFlags, &openError)) return TemplateRead::kCannotOpen;
  table.header.fill(0);
  table.fields.clear();
  if (file.Read(table.header.data(), kTableHeaderSize) < kTableHeaderSize) return TemplateRead::kNotSound;
  const uint8_t version = table.header[kHeaderVersion];
  const uint16_t headerLength = ReadLittle16(&table.header[kHeaderLength]);
  const uint16_t recordLength = ReadLittle16(&table.header[kHeaderRecordLength]);
  if (!ReadSoundFieldList(file, headerLength, version, table.fields)) return TemplateRead::kNotSound;
  const uint64_t afterTerminator = kTableHeaderSize + kFieldDescriptorSize * table.fields.size() + 1;
  if (!IsHeaderLengthBelievable(headerLength, afterTerminator)) return TemplateRead::kNotSound;
  if (RecordLength(PlainFieldLengths(table.fields)) != recordLength &&
      RecordLength(LongFieldLengths(table.fields)) != recordLength)
    return TemplateRead::kNotSound;
  for (FieldDescriptor& block : table.fields) RepairDescriptor(block, version);
  table.lengths = RecordFieldLengths(table.fields, recordLength);
  file.Close();
  return TemplateRead::kSound;
}

}  // namespace mendrel
