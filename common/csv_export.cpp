#include "csv_export.h"

#include <cstring>
#include <string>
#include <vector>

#include "code_page.h"
#include "csv_writer.h"
#include "field_value_text.h"

namespace tessaly_common {
namespace {

constexpr char kBlanks[] = " ";

// A value's text up to its first NUL, as the engine reads a field's text.
std::string_view UpToNul(const std::string& text) { return std::string_view(text.data(), strnlen(text.data(), text.size())); }

std::string_view WithoutTrailingBlanks(std::string_view text) {
  const size_t last = text.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view WithoutOuterBlanks(std::string_view text) {
  text = WithoutTrailingBlanks(text);
  const size_t first = text.find_first_not_of(kBlanks);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// Character fields keep leading blanks, which are part of their text; numbers, dates and
// logicals are padded by their layout.
bool KeepsLeadingBlanks(const MendrelField& field) { return field.type == 'C' || field.isMemo != 0; }

std::string ValueText(EngineTable& table, uint64_t record, uint32_t index, const CsvExportOptions& options) {
  const MendrelField& field = table.Fields()[index];
  const std::string rendered = table.RenderWhole(record, index, options.optionWord);
  if (field.isMemo != 0) return std::string(UpToNul(rendered));
  const std::string value =
      FieldValueText(field.type, static_cast<uint32_t>(rendered.size()), rendered.data(), table.Info().version);
  const std::string_view text = UpToNul(value);
  return std::string(KeepsLeadingBlanks(field) ? WithoutTrailingBlanks(text) : WithoutOuterBlanks(text));
}

}  // namespace

bool ExportCsv(EngineTable& table, const CsvExportOptions& options, const CsvSink& write) {
  CodePageConverter converter(TableCodePage(table.Info().languageDriver, options.userCodePage));
  std::vector<std::string> row;
  for (const MendrelField& field : table.Fields()) row.push_back(converter.ToUtf8(field.name));
  if (!write(CsvLine(row))) return false;
  const uint64_t records = std::min(table.Info().readableRecords, options.recordLimit);
  for (uint64_t record = 0; record < records; ++record) {
    row.clear();
    for (uint32_t i = 0; i < table.Fields().size(); ++i)
      row.push_back(converter.ToUtf8(ValueText(table, record, i, options)));
    if (!write(CsvLine(row))) return false;
  }
  return true;
}

}  // namespace tessaly_common
