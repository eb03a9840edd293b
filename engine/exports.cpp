// The library boundary: the entries are exported by ordinal only (the ordinal table on
// ELF, the module-definition file on Windows), and no exception crosses it.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "all_zero_file.h"
#include "byte_order.h"
#include "engine_strings.h"
#include "field_display.h"
#include "mendrel.h"
#include "repair_session.h"
#include "table_reader.h"
#include "tessaly_version.h"

TESSALY_VERSION_NOTE();

// The handle of the read interface is the reader itself.
struct MendrelTable : mendrel::TableReader {};

namespace {

const char* TextOrEmpty(uintptr_t pointer) {
  return pointer != 0 ? reinterpret_cast<const char*>(pointer) : "";
}

int32_t RunRepair(const RepairArgs& args, uintptr_t templatePath) {
  try {
    mendrel::RepairSession session(reinterpret_cast<ProgressCallback>(args.callback),
                                   reinterpret_cast<void*>(args.userData));
    session.TemplatePath = TextOrEmpty(templatePath);
    const std::string source = TextOrEmpty(args.sourcePath);
    const std::string output = TextOrEmpty(args.outputPath);
    return session.RepairTable(source.c_str(), static_cast<uint32_t>(args.reserved),
                               static_cast<uint32_t>(args.optionWord), output.c_str());
  } catch (...) {
    return 0;
  }
}

int32_t Repair(const void* maskedArgs) {
  if (maskedArgs == nullptr) return 0;
  RepairArgs args;
  std::memcpy(&args, maskedArgs, sizeof args);
  MendrelMaskArgs(&args);
  return RunRepair(args, 0);
}

// The block's size comes first; only the slots this engine knows are read.
int32_t RepairEx(const void* maskedArgs) {
  if (maskedArgs == nullptr) return 0;
  unsigned char sizeBytes[sizeof(uintptr_t)];
  std::memcpy(sizeBytes, maskedArgs, sizeof sizeBytes);
  for (unsigned char& byte : sizeBytes) byte ^= static_cast<unsigned char>(MENDREL_MASK_KEY);
  uintptr_t size = 0;
  std::memcpy(&size, sizeBytes, sizeof size);
  if (size < sizeof(RepairArgsEx)) return 0;
  RepairArgsEx args;
  std::memcpy(&args, maskedArgs, sizeof args);
  MendrelMaskArgsEx(&args);
  return RunRepair(args.args, args.templatePath);
}

void DisplayFieldValue(char* fieldBytes, const unsigned char* descriptor, uint32_t optionWord) {
  try {
    mendrel::DisplayFieldValue(fieldBytes, descriptor, optionWord);
  } catch (...) {
  }
}

void DisplayMemoValue(const char* fieldBytes, const unsigned char* descriptor, intptr_t memoHandle,
                      uint32_t blockSize, const char* memoPath, char* text, uint32_t textSize) {
  try {
    mendrel::DisplayMemoValue(fieldBytes, descriptor, memoHandle, blockSize, memoPath, text,
                              textSize);
  } catch (...) {
  }
}

int32_t IsAllZeroFile(const char* path) {
  try {
    return path != nullptr && mendrel::IsAllZeroFile(path) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

// Copies text into a caller's buffer of size bytes, cut to fit, NUL-terminated.
void CopyText(const std::string& text, char* buffer, uint32_t size) {
  if (buffer == nullptr || size == 0) return;
  const size_t copied = std::min<size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
}

MendrelTable* OpenTable(const char* path, int32_t* failure, char* reason, uint32_t reasonSize) {
  mendrel::TableOpenError error;
  try {
    auto table = std::make_unique<MendrelTable>();
    if (table->Open(TextOrEmpty(reinterpret_cast<uintptr_t>(path)), error)) return table.release();
  } catch (const mendrel::CException& exception) {
    error = {mendrel::TableOpenFailure::unreadable, exception.ErrorMessage()};
  } catch (...) {
    error = {mendrel::TableOpenFailure::unreadable, mendrel::EngineText(mendrel::kTextErrorUnknown)};
  }
  if (failure != nullptr)
    *failure = error.failure == mendrel::TableOpenFailure::notATable ? MENDREL_OPEN_NOT_A_TABLE : MENDREL_OPEN_UNREADABLE;
  CopyText(error.reason, reason, reasonSize);
  return nullptr;
}

int32_t GetTableInfo(const MendrelTable* table, MendrelTableInfo* info) {
  if (table == nullptr || info == nullptr || info->size < sizeof(MendrelTableInfo)) return 0;
  const mendrel::TableHeader& header = table->Header();
  info->size = sizeof(MendrelTableInfo);
  info->version = header[mendrel::kHeaderVersion];
  info->languageDriver = header[mendrel::kHeaderLanguageDriver];
  info->headerLength = table->HeaderLength();
  info->recordLength = table->RecordLength();
  info->announcedRecords = mendrel::ReadLE32(&header[mendrel::kHeaderRecordCount]);
  info->fieldCount = static_cast<uint32_t>(table->Fields().size());
  info->memoBlockSize = table->MemoBlockSize();
  info->fileSize = table->FileSize();
  info->wholeRecords = table->WholeRecords();
  info->readableRecords = table->ReadableRecords();
  info->memoPath = table->MemoPath().c_str();
  return 1;
}

int32_t GetField(const MendrelTable* table, uint32_t index, MendrelField* field) {
  if (table == nullptr || field == nullptr || field->size < sizeof(MendrelField) || index >= table->Fields().size())
    return 0;
  const mendrel::TableField& source = table->Fields()[index];
  *field = MendrelField{};
  field->size = sizeof(MendrelField);
  const auto* name = reinterpret_cast<const char*>(source.descriptor.data());
  std::memcpy(field->name, name, strnlen(name, mendrel::kFieldNameSize));
  field->type = static_cast<char>(source.descriptor[mendrel::kFieldType]);
  field->decimals = source.descriptor[mendrel::kFieldDecimals];
  field->isMemo = source.isMemo ? 1 : 0;
  field->length = source.length;
  field->offset = source.offset;
  std::memcpy(field->descriptor, source.descriptor.data(), sizeof field->descriptor);
  return 1;
}

int64_t ReadRecord(MendrelTable* table, uint64_t record, void* buffer, uint32_t bufferSize) {
  if (table == nullptr || buffer == nullptr || bufferSize < table->RecordLength()) return -1;
  try {
    return table->ReadRecord(record, static_cast<char*>(buffer));
  } catch (...) {
    return -1;
  }
}

int64_t RenderField(MendrelTable* table, uint64_t record, uint32_t field, uint32_t optionWord, char* text,
                    uint32_t textSize) {
  if (table == nullptr || (text == nullptr && textSize != 0)) return -1;
  try {
    return table->RenderField(record, field, optionWord, text, textSize);
  } catch (...) {
    return -1;
  }
}

void CloseTable(MendrelTable* table) { std::unique_ptr<MendrelTable> closed(table); }

}  // namespace

#if defined(_WIN32)
extern "C" {
int32_t MendrelOrdinal1(const void* maskedArgs) { return Repair(maskedArgs); }
void MendrelOrdinal2(char* fieldBytes, const unsigned char* descriptor, uint32_t optionWord) {
  DisplayFieldValue(fieldBytes, descriptor, optionWord);
}
void MendrelOrdinal3(const char* fieldBytes, const unsigned char* descriptor, intptr_t memoHandle,
                     uint32_t blockSize, const char* memoPath, char* text, uint32_t textSize) {
  DisplayMemoValue(fieldBytes, descriptor, memoHandle, blockSize, memoPath, text, textSize);
}
int32_t MendrelOrdinal4(const char* path) { return IsAllZeroFile(path); }
MendrelTable* MendrelOrdinal5(const char* path, int32_t* failure, char* reason, uint32_t reasonSize) {
  return OpenTable(path, failure, reason, reasonSize);
}
int32_t MendrelOrdinal6(const MendrelTable* table, MendrelTableInfo* info) { return GetTableInfo(table, info); }
int32_t MendrelOrdinal7(const MendrelTable* table, uint32_t index, MendrelField* field) {
  return GetField(table, index, field);
}
int64_t MendrelOrdinal8(MendrelTable* table, uint64_t record, void* buffer, uint32_t bufferSize) {
  return ReadRecord(table, record, buffer, bufferSize);
}
int64_t MendrelOrdinal9(MendrelTable* table, uint64_t record, uint32_t field, uint32_t optionWord, char* text,
                        uint32_t textSize) {
  return RenderField(table, record, field, optionWord, text, textSize);
}
void MendrelOrdinal10(MendrelTable* table) { CloseTable(table); }
int32_t MendrelOrdinal11(const void* maskedArgsEx) { return RepairEx(maskedArgsEx); }
}
#else
extern "C" __attribute__((visibility("default"))) void* const MendrelOrdinals[12] = {
    nullptr,
    reinterpret_cast<void*>(&Repair),
    reinterpret_cast<void*>(&DisplayFieldValue),
    reinterpret_cast<void*>(&DisplayMemoValue),
    reinterpret_cast<void*>(&IsAllZeroFile),
    reinterpret_cast<void*>(&OpenTable),
    reinterpret_cast<void*>(&GetTableInfo),
    reinterpret_cast<void*>(&GetField),
    reinterpret_cast<void*>(&ReadRecord),
    reinterpret_cast<void*>(&RenderField),
    reinterpret_cast<void*>(&CloseTable),
    reinterpret_cast<void*>(&RepairEx),
};
#endif
