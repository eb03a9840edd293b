#include "table_reader.h"

#include <algorithm>
#include <cstring>

#include "byte_order.h"
#include "engine_strings.h"
#include "field_display.h"
#include "field_lengths.h"
#include "io/os_error.h"
#include "memo_file_name.h"

namespace mendrel {
namespace {

// Records are read at random; a buffer of this size serves the neighbours of each.
constexpr uint32_t kTableBufferSize = 64 * 1024;
constexpr uint32_t kMemoBufferSize = 4096;

bool NotATable(TableOpenError& error, std::string reason) {
  error.failure = TableOpenFailure::notATable;
  error.reason = std::move(reason);
  return false;
}

// The memo files of the Visual FoxPro family are of one kind whatever the version byte.
uint8_t MemoKindOf(uint8_t version) { return IsVisualFoxProFamily(version) ? kVersionVisualFoxPro : version; }

// A file's name as its folder lists it: a file system that ignores case opens "t.FPT"
// for "T.FPT" too, and the name shown should be the file's own.
std::string SpelledAsListed(const std::string& path) {
  const std::vector<std::string> listed = FindFilesIgnoringCase(path);
  if (listed.empty() || std::find(listed.begin(), listed.end(), path) != listed.end()) return path;
  return listed.front();
}

}  // namespace

TableReader::TableReader() : table_(kTableBufferSize), memo_(kMemoBufferSize) {}

bool TableReader::Open(const std::string& path, TableOpenError& error) {
  CFileException openError;
  if (!table_.Open(path.c_str(), CFile64::kReadFlags, &openError)) {
    error.failure = TableOpenFailure::unreadable;
    error.reason = openError.m_lOsError > 0 ? OsErrorText(openError.m_lOsError) : openError.ErrorMessage();
    return false;
  }
  if (!ReadHeaderArea(error)) return false;
  OpenMemoFile(path);
  record_.resize(recordLength_);
  return true;
}

uint16_t TableReader::HeaderLength() const { return ReadLE16(&header_[kHeaderLength]); }

bool TableReader::ReadHeaderArea(TableOpenError& error) {
  fileSize_ = table_.GetLength();
  if (fileSize_ < kTableHeaderSize) return NotATable(error, EngineText(kTextTableTooShort));
  table_.Read(header_.data(), kTableHeaderSize);
  if (HeaderLength() > fileSize_) return NotATable(error, EngineText(kTextTableTooShort));
  std::vector<uint8_t> headerArea(std::max<size_t>(kTableHeaderSize, HeaderLength()));
  table_.Seek(0, CFile64::begin);
  table_.Read(headerArea.data(), static_cast<uint32_t>(headerArea.size()));
  return ReadFields(headerArea, error);
}

// Descriptors from offset 32 up to the terminator, which must lie inside the header.
bool TableReader::ReadFields(const std::vector<uint8_t>& headerArea, TableOpenError& error) {
  const size_t headerLength = HeaderLength();
  FieldList descriptors;
  for (size_t position = kTableHeaderSize;; position += kFieldDescriptorSize) {
    if (position >= headerLength) return NotATable(error, EngineText(kTextNoTerminator));
    if (headerArea[position] == kDescriptorTerminator) break;
    if (position + kFieldDescriptorSize >= headerLength) return NotATable(error, EngineText(kTextNoTerminator));
    FieldDescriptor& descriptor = descriptors.emplace_back();
    std::copy_n(headerArea.begin() + static_cast<std::ptrdiff_t>(position), kFieldDescriptorSize, descriptor.begin());
  }
  const uint16_t storedLength = ReadLE16(&header_[kHeaderRecordLength]);
  const FieldLengths lengths = RecordFieldLengths(descriptors, storedLength);
  recordLength_ = mendrel::RecordLength(lengths);
  if (recordLength_ != storedLength)
    return NotATable(error, FormatTextWith(kTextRecordLengthMismatch, static_cast<unsigned long>(storedLength),
                                           static_cast<unsigned long>(recordLength_)));
  const uint8_t version = header_[kHeaderVersion];
  uint32_t offset = 1;  // the deletion flag
  for (size_t i = 0; i < descriptors.size(); ++i) {
    const FieldDescriptor& descriptor = descriptors[i];
    fields_.push_back({descriptor, lengths[i], offset, IsMemoField(descriptor[kFieldType], lengths[i], version)});
    offset += lengths[i];
  }
  return true;
}

// The memo file beside the table, found as a repair finds it; a table without one
// shows its memo fields empty.
void TableReader::OpenMemoFile(const std::string& path) {
  if (std::none_of(fields_.begin(), fields_.end(), [](const TableField& field) { return field.isMemo; })) return;
  const std::string memoPath = SourceMemoPath(path, ChooseMemoExtension(path, MemoKindOf(header_[kHeaderVersion])));
  if (!memo_.Open(memoPath.c_str(), CFile64::kReadFlags)) return;
  memo_.ReadHeader();
  memoPath_ = SpelledAsListed(memoPath);
}

uint64_t TableReader::WholeRecords() const {
  const uint64_t headerLength = HeaderLength();
  return fileSize_ > headerLength ? (fileSize_ - headerLength) / recordLength_ : 0;
}

uint64_t TableReader::ReadableRecords() const {
  return std::min<uint64_t>(WholeRecords(), ReadLE32(&header_[kHeaderRecordCount]));
}

uint32_t TableReader::ReadRecord(uint64_t record, char* buffer) {
  const uint64_t headerLength = HeaderLength();
  if (record > (fileSize_ - headerLength) / recordLength_) return 0;
  const uint64_t position = headerLength + record * recordLength_;
  if (position >= fileSize_) return 0;
  table_.Seek(static_cast<int64_t>(position), CFile64::begin);
  return table_.Read(buffer, recordLength_);
}

int64_t TableReader::RenderField(uint64_t record, uint32_t field, uint32_t optionWord, char* text, uint32_t textSize) {
  std::memset(text, 0, textSize);
  if (field >= fields_.size()) return -1;
  const uint32_t read = ReadRecord(record, record_.data());
  if (read == 0) return -1;
  std::fill(record_.begin() + read, record_.end(), ' ');  // a short last record, as a repair reads it
  const TableField& column = fields_[field];
  const char* bytes = record_.data() + column.offset;
  if (column.isMemo) {
    if (!memo_.IsOpen()) return 0;
    return static_cast<int64_t>(RenderMemoText(memo_, bytes, column.length, text, textSize));
  }
  value_.assign(bytes, bytes + column.length);
  DisplayFieldValue(value_.data(), column.descriptor.data(), optionWord);
  std::memcpy(text, value_.data(), std::min(column.length, textSize));
  return column.length;
}

}  // namespace mendrel
