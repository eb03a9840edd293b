#include "dbf_table.h"


#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cli_platform.h"
#include "cli_texts.h"
#include "fixed_file_name.h"

namespace tessaly_cli {
namespace {

constexpr size_t kTableHeaderSize = 32;
constexpr unsigned char kFieldListEnd = 0x0D;
constexpr size_t kFieldNameSize = 11;
constexpr size_t kTypeOffset = 11;
constexpr size_t kLengthOffset = 16;
constexpr size_t kDecimalsOffset = 17;
constexpr size_t kMemoHeaderProbe = 512;
constexpr size_t kDbtBlockSizeOffset = 20;
constexpr size_t kFptBlockSizeOffset = 6;
constexpr uint32_t kDbtDefaultBlockSize = 512;
constexpr uint32_t kFptDefaultBlockSize = 64;

uint32_t LittleEndian(const unsigned char* bytes, size_t count) {
  uint32_t value = 0;
  for (size_t i = count; i-- > 0;) value = (value << 8) | bytes[i];
  return value;
}

std::string NotATable(const std::string& path, const std::string& reason) {
  return FormatCliText(kTextNotATable, path.c_str(), reason.c_str());
}

bool IsRegularFile(const std::string& path) {
  int ignored = 0;
  return KindOf(path, ignored) == FileKind::regular;
}

// The name of a file in folder that equals name ignoring case, the exact name first.
// The name is given as the folder holds it: a file system that ignores case finds
// "T.DBT" for "t.dbt" too, and the listing tells its true spelling.
// folder is empty or ends with its separator.
std::optional<std::string> FindIgnoringCase(const std::string& folder, const std::string& name) {
  std::vector<std::string> matches;
  for (const std::string& candidate : FolderNames(folder.empty() ? "." : folder)) {
    if (!EqualIgnoringCase(candidate, name) || !IsRegularFile(folder + candidate)) continue;
    if (candidate == name) return name;
    matches.push_back(candidate);
  }
  // A folder that can be searched but not read still finds the exact name.
  if (matches.empty()) return IsRegularFile(folder + name) ? std::optional(name) : std::nullopt;
  return *std::min_element(matches.begin(), matches.end());
}

}  // namespace

bool TableField::IsMemo() const { return std::strchr("GMPV", type) != nullptr && type != '\0'; }

DbfTable::DbfTable(const std::string& path) {
  int error = 0;
  const FileKind kind = KindOf(path, error);
  if (kind != FileKind::regular) {
    const int cause = error != 0 ? error : (kind == FileKind::folder ? EISDIR : EINVAL);
    throw TableError(FormatCliText(kTextCannotOpenTable, path.c_str(), std::strerror(cause)));
  }
  in_.open(path, std::ios::binary);
  if (!in_) {
    throw TableError(FormatCliText(kTextCannotOpenTable, path.c_str(), std::strerror(errno)));
  }
  in_.seekg(0, std::ios::end);
  fileSize_ = static_cast<uint64_t>(in_.tellg());
  ReadHeader(path);
  ReadFields(path);
}

void DbfTable::ReadHeader(const std::string& path) {
  unsigned char header[kTableHeaderSize] = {};
  in_.seekg(0);
  if (fileSize_ < kTableHeaderSize ||
      !in_.read(reinterpret_cast<char*>(header), kTableHeaderSize)) {
    throw TableError(NotATable(path, CliText(kTextTableTooShort)));
  }
  version_ = header[0];
  recordCount_ = LittleEndian(header + 4, 4);
  headerLength_ = static_cast<uint16_t>(LittleEndian(header + 8, 2));
  recordLength_ = static_cast<uint16_t>(LittleEndian(header + 10, 2));
  if (headerLength_ > fileSize_) throw TableError(NotATable(path, CliText(kTextTableTooShort)));
}

void DbfTable::ReadFields(const std::string& path) {
  size_t offset = 0;
  for (uint64_t position = kTableHeaderSize;; position += kDescriptorSize) {
    if (position >= headerLength_) throw TableError(NotATable(path, CliText(kTextNoTerminator)));
    TableField field;
    in_.seekg(static_cast<std::streamoff>(position));
    in_.read(reinterpret_cast<char*>(field.descriptor.data()), 1);
    if (field.descriptor[0] == kFieldListEnd) break;
    if (position + kDescriptorSize >= headerLength_ ||
        !in_.read(reinterpret_cast<char*>(field.descriptor.data()) + 1, kDescriptorSize - 1)) {
      throw TableError(NotATable(path, CliText(kTextNoTerminator)));
    }
    const auto* name = reinterpret_cast<const char*>(field.descriptor.data());
    field.name.assign(name, strnlen(name, kFieldNameSize));
    field.type = static_cast<char>(field.descriptor[kTypeOffset]);
    field.length = field.descriptor[kLengthOffset];
    field.decimals = field.descriptor[kDecimalsOffset];
    field.offset = offset;
    offset += field.length;
    fields_.push_back(field);
  }
  if (offset + 1 != recordLength_) {
    throw TableError(NotATable(
        path, FormatCliText(kTextRecordLengthMismatch, static_cast<unsigned long>(recordLength_),
                            static_cast<unsigned long>(offset + 1))));
  }
}

bool DbfTable::HasMemoFields() const {
  return std::any_of(fields_.begin(), fields_.end(), [](const TableField& f) { return f.IsMemo(); });
}

uint64_t DbfTable::ReadableRecords() const {
  if (recordLength_ == 0) return 0;
  const uint64_t whole = (fileSize_ - headerLength_) / recordLength_;
  return std::min<uint64_t>(whole, recordCount_);
}

bool DbfTable::ReadRecord(uint64_t index, std::vector<char>& record) {
  record.resize(recordLength_);
  in_.clear();
  in_.seekg(static_cast<std::streamoff>(headerLength_ + index * recordLength_));
  return static_cast<bool>(in_.read(record.data(), static_cast<std::streamsize>(record.size())));
}

std::optional<std::string> FindMemoFile(const std::string& tablePath) {
  const std::string folder = tablePath.substr(0, NameStart(tablePath));
  const std::string stem = StripExtension(tablePath.substr(folder.size()));
  for (const char* extension : {".DBT", ".FPT"}) {
    if (auto found = FindIgnoringCase(folder, stem + extension)) return folder + *found;
  }
  return std::nullopt;
}

uint32_t ReadMemoBlockSize(NativeFile file, bool isDbt) {
  unsigned char header[kMemoHeaderProbe] = {};
  const size_t read = ReadFileAt(file, header, sizeof header, 0);
  uint32_t size = 0;
  if (isDbt && read >= kDbtBlockSizeOffset + 2) {
    size = LittleEndian(header + kDbtBlockSizeOffset, 2);
  } else if (!isDbt && read >= kFptBlockSizeOffset + 2) {
    size = (static_cast<uint32_t>(header[kFptBlockSizeOffset]) << 8) | header[kFptBlockSizeOffset + 1];
  }
  if (size != 0) return size;
  return isDbt ? kDbtDefaultBlockSize : kFptDefaultBlockSize;
}

}  // namespace tessaly_cli
