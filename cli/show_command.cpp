#include "show_command.h"

#include <cstring>
#include <string>
#include <vector>

#include "cell_text.h"
#include "cli_platform.h"
#include "cli_texts.h"
#include "csv_export.h"
#include "display_width.h"
#include "engine_table.h"
#include "mendrel.h"

namespace tessaly_cli {
namespace {

using tessaly_common::CellText;
using tessaly_common::EngineTable;
using tessaly_common::TableOpenFailure;

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

bool IsNumeric(char type) { return std::strchr("NFIYB", type) != nullptr && type != '\0'; }

std::string NameText(const MendrelField& field) { return CellText(field.name, strnlen(field.name, sizeof field.name)); }

std::string ValueText(EngineTable& table, uint64_t record, uint32_t index) {
  const MendrelField& field = table.Fields()[index];
  if (field.isMemo != 0) {
    const std::string text = table.Render(record, index, kDisplayOptionWord, kMemoTextSize);
    return CellText(text.data(), strnlen(text.data(), text.size()));
  }
  return tessaly_common::FieldCellText(table, record, index, kDisplayOptionWord);
}

void PrintSummary(const EngineTable& table, const ShowRequest& request, std::FILE* out) {
  const MendrelTableInfo& info = table.Info();
  std::fprintf(out, "%s\n", FormatCliText(kTextShowTable, request.table.c_str()).c_str());
  std::fprintf(out, "%s\n",
               FormatCliText(kTextShowSummary, static_cast<unsigned>(info.version),
                             static_cast<unsigned long>(info.announcedRecords),
                             static_cast<unsigned long>(info.headerLength),
                             static_cast<unsigned long>(info.recordLength))
                   .c_str());
  if (info.memoBlockSize != 0) {
    std::fprintf(out, "%s\n",
                 FormatCliText(kTextShowMemo, info.memoPath, static_cast<unsigned long>(info.memoBlockSize)).c_str());
  } else if (table.HasMemoFields()) {
    std::fprintf(out, "%s\n", CliText(kTextShowNoMemo));
  }
}

void PrintFields(const EngineTable& table, std::FILE* out) {
  TextTable list;
  list.AddColumn(CliText(kTextColumnNumber), true);
  list.AddColumn(CliText(kTextColumnName), false);
  list.AddColumn(CliText(kTextColumnType), false);
  list.AddColumn(CliText(kTextColumnLength), true);
  list.AddColumn(CliText(kTextColumnDecimals), true);
  std::fprintf(out, "\n%s\n", CliText(kTextShowFields));
  size_t number = 0;
  for (const MendrelField& field : table.Fields()) {
    list.AddRow({std::to_string(++number), NameText(field), CellText(&field.type, 1), std::to_string(field.length),
                 std::to_string(field.decimals)},
                out);
  }
  list.Flush(out);
}

void PrintRecords(EngineTable& table, uint64_t shown, std::FILE* out) {
  TextTable records;
  records.AddColumn(CliText(kTextColumnNumber), true);
  records.AddColumn(CliText(kTextColumnDeleted), false);
  for (const MendrelField& field : table.Fields()) records.AddColumn(NameText(field), IsNumeric(field.type));
  std::fprintf(out, "\n%s\n", CliText(kTextShowRecords));
  std::vector<char> record;
  for (uint64_t index = 0; index < shown && table.ReadRecord(index, record); ++index) {
    std::vector<std::string> row{std::to_string(index + 1),
                                 record[0] == kDeletedFlag ? std::string(1, kDeletedFlag) : ""};
    for (uint32_t field = 0; field < table.Fields().size(); ++field) row.push_back(ValueText(table, index, field));
    records.AddRow(std::move(row), out);
  }
  records.Flush(out);
}

void PrintTable(EngineTable& table, const ShowRequest& request, std::FILE* out) {
  const uint64_t readable = table.Info().readableRecords;
  const uint64_t shown = request.limit ? std::min<uint64_t>(*request.limit, readable) : readable;
  PrintSummary(table, request, out);
  PrintFields(table, out);
  PrintRecords(table, shown, out);
  if (shown < readable) {
    std::fprintf(out, "%s\n",
                 FormatCliText(kTextShowMoreRecords, static_cast<unsigned long>(readable - shown)).c_str());
  }
}

// False when the output would not take the CSV.
bool PrintCsv(EngineTable& table, const ShowRequest& request, std::FILE* out) {
  tessaly_common::CsvExportOptions options;
  options.userCodePage = request.codePage;
  if (request.limit) options.recordLimit = *request.limit;
  options.optionWord = kDisplayOptionWord;
  UseBinaryOutput(out);  // the CR LF line ends stay as they are
  const bool written = tessaly_common::ExportCsv(table, options, [out](std::string_view piece) {
    return std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
  });
  return written && std::fflush(out) == 0;
}

}  // namespace

int RunShowCommand(const ShowRequest& request, std::FILE* out, std::FILE* err) {
  try {
    EngineTable table(request.table);
    if (request.csv) return PrintCsv(table, request, out) ? kExitSuccess : kExitFailure;
    PrintTable(table, request, out);
    return kExitSuccess;
  } catch (const TableOpenFailure& failure) {
    const uint32_t text = failure.IsNotATable() ? kTextNotATable : kTextCannotOpenTable;
    std::fprintf(err, "%s\n", FormatCliText(text, request.table.c_str(), failure.what()).c_str());
    return kExitFailure;
  }
}

}  // namespace tessaly_cli
