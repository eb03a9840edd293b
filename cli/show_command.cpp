#include "show_command.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "cli_platform.h"
#include "cli_texts.h"
#include "dbf_table.h"
#include "field_text.h"
#include "fixed_file_name.h"
#include "mendrel.h"

namespace tessaly_cli {
namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
// Room for a memo's text in a cell; longer memos end in the engine's truncation mark.
constexpr uint32_t kMemoTextSize = 60;
// Values are checked as the repair writes them with its default options.
constexpr uint32_t kDisplayOptionWord = MENDREL_OPT_REPAIR_DATE;
constexpr char kDeletedFlag = '*';
constexpr const char* kColumnGap = "  ";

// Columns of text, each as wide as its widest cell. Rows are printed a block at a
// time, so a large table is never held whole; a later block may widen a column.
class TextTable {
 public:
  void AddColumn(const std::string& title, bool rightAligned) {
    titles_.push_back(title);
    rightAligned_.push_back(rightAligned);
    widths_.push_back(DisplayWidth(title));
  }

  void AddRow(std::vector<std::string> cells, std::FILE* out) {
    rows_.push_back(std::move(cells));
    if (rows_.size() >= kRowsPerBlock) Flush(out);
  }

  void Flush(std::FILE* out) {
    for (const auto& row : rows_) {
      for (size_t c = 0; c < row.size(); ++c) widths_[c] = std::max(widths_[c], DisplayWidth(row[c]));
    }
    if (!titlesPrinted_) PrintRow(out, titles_);
    titlesPrinted_ = true;
    for (const auto& row : rows_) PrintRow(out, row);
    rows_.clear();
  }

 private:
  static constexpr size_t kRowsPerBlock = 1000;

  void PrintRow(std::FILE* out, const std::vector<std::string>& cells) const {
    std::string line;
    for (size_t c = 0; c < cells.size(); ++c) {
      const std::string padding(widths_[c] - DisplayWidth(cells[c]), ' ');
      if (c > 0) line += kColumnGap;
      line += rightAligned_[c] ? padding + cells[c] : cells[c] + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    std::fprintf(out, "%s\n", line.c_str());
  }

  std::vector<std::string> titles_;
  std::vector<bool> rightAligned_;
  std::vector<size_t> widths_;
  std::vector<std::vector<std::string>> rows_;
  bool titlesPrinted_ = false;
};

// The memo file beside the table, held open for the display entry.
class MemoSource {
 public:
  explicit MemoSource(const DbfTable& table, const std::string& tablePath) {
    if (!table.HasMemoFields()) return;
    const auto found = FindMemoFile(tablePath);
    if (!found) return;
    file_ = OpenForReading(*found);
    if (file_ == kNoFile) return;
    path_ = *found;
    blockSize_ = ReadMemoBlockSize(file_, !HasExtension(path_, ".FPT"));
  }
  ~MemoSource() { CloseFile(file_); }
  MemoSource(const MemoSource&) = delete;
  MemoSource& operator=(const MemoSource&) = delete;

  bool IsOpen() const { return file_ != kNoFile; }
  const std::string& path() const { return path_; }
  uint32_t blockSize() const { return blockSize_; }

  std::string Text(const TableField& field, const char* bytes) const {
    if (!IsOpen()) return "";
    char text[kMemoTextSize];
    MendrelDisplayMemoValue()(bytes, field.descriptor.data(), file_, blockSize_, path_.c_str(), text,
                              sizeof text);
    return CellText(text, strnlen(text, sizeof text));
  }

 private:
  NativeFile file_ = kNoFile;
  std::string path_;
  uint32_t blockSize_ = 0;
};

bool IsNumeric(char type) { return std::strchr("NFIYB", type) != nullptr && type != '\0'; }

std::string ValueText(const TableField& field, const char* bytes, const MemoSource& memo,
                      uint8_t version) {
  if (field.IsMemo()) return memo.Text(field, bytes);
  std::vector<char> value(bytes, bytes + field.length);
  MendrelDisplayFieldValue()(value.data(), field.descriptor.data(), kDisplayOptionWord);
  return FieldText(field, value.data(), version);
}

void PrintSummary(const DbfTable& table, const ShowRequest& request, const MemoSource& memo,
                  std::FILE* out) {
  std::fprintf(out, "%s\n", FormatCliText(kTextShowTable, request.table.c_str()).c_str());
  std::fprintf(out, "%s\n",
               FormatCliText(kTextShowSummary, static_cast<unsigned>(table.version()),
                             static_cast<unsigned long>(table.recordCount()),
                             static_cast<unsigned long>(table.headerLength()),
                             static_cast<unsigned long>(table.recordLength()))
                   .c_str());
  if (memo.IsOpen()) {
    std::fprintf(out, "%s\n",
                 FormatCliText(kTextShowMemo, memo.path().c_str(),
                               static_cast<unsigned long>(memo.blockSize()))
                     .c_str());
  } else if (table.HasMemoFields()) {
    std::fprintf(out, "%s\n", CliText(kTextShowNoMemo));
  }
}

void PrintFields(const DbfTable& table, std::FILE* out) {
  TextTable list;
  list.AddColumn(CliText(kTextColumnNumber), true);
  list.AddColumn(CliText(kTextColumnName), false);
  list.AddColumn(CliText(kTextColumnType), false);
  list.AddColumn(CliText(kTextColumnLength), true);
  list.AddColumn(CliText(kTextColumnDecimals), true);
  std::fprintf(out, "\n%s\n", CliText(kTextShowFields));
  size_t number = 0;
  for (const TableField& field : table.fields()) {
    list.AddRow({std::to_string(++number), CellText(field.name.data(), field.name.size()),
                 CellText(&field.type, 1), std::to_string(field.length),
                 std::to_string(field.decimals)},
                out);
  }
  list.Flush(out);
}

void PrintRecords(DbfTable& table, uint64_t shown, const MemoSource& memo, std::FILE* out) {
  TextTable records;
  records.AddColumn(CliText(kTextColumnNumber), true);
  records.AddColumn(CliText(kTextColumnDeleted), false);
  for (const TableField& field : table.fields()) {
    records.AddColumn(CellText(field.name.data(), field.name.size()), IsNumeric(field.type));
  }
  std::fprintf(out, "\n%s\n", CliText(kTextShowRecords));
  std::vector<char> record;
  for (uint64_t index = 0; index < shown && table.ReadRecord(index, record); ++index) {
    std::vector<std::string> row{std::to_string(index + 1),
                                 record[0] == kDeletedFlag ? std::string(1, kDeletedFlag) : ""};
    for (const TableField& field : table.fields()) {
      row.push_back(ValueText(field, record.data() + 1 + field.offset, memo, table.version()));
    }
    records.AddRow(std::move(row), out);
  }
  records.Flush(out);
}

}  // namespace

int RunShowCommand(const ShowRequest& request, std::FILE* out, std::FILE* err) {
  try {
    DbfTable table(request.table);
    const MemoSource memo(table, request.table);
    const uint64_t readable = table.ReadableRecords();
    const uint64_t shown = request.limit ? std::min<uint64_t>(*request.limit, readable) : readable;
    PrintSummary(table, request, memo, out);
    PrintFields(table, out);
    PrintRecords(table, shown, memo, out);
    if (shown < readable) {
      std::fprintf(out, "%s\n",
                   FormatCliText(kTextShowMoreRecords, static_cast<unsigned long>(readable - shown))
                       .c_str());
    }
    return kExitSuccess;
  } catch (const TableError& error) {
    std::fprintf(err, "%s\n", error.what());
    return kExitFailure;
  }
}

}  // namespace tessaly_cli
