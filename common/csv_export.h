#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "engine_table.h"

namespace tessaly_common {

struct CsvExportOptions {
  // The code page of the table's text when its language-driver byte names none.
  uint32_t userCodePage = 437;
  // At most this many records, from the first.
  uint64_t recordLimit = UINT64_MAX;
  // Values are checked as a repair with these options would write them.
  uint32_t optionWord = MENDREL_OPT_REPAIR_DATE;
};

// Receives the CSV a piece at a time; false stops the export.
using CsvSink = std::function<bool(std::string_view piece)>;

// Writes the table as RFC 4180 CSV in UTF-8: a header row of the field names, then one
// line per record that the header announces and the file holds whole, deleted ones
// included. Character values lose their trailing blanks, other values their outer
// blanks; memo fields give their whole text. False when the sink stopped the export.
bool ExportCsv(EngineTable& table, const CsvExportOptions& options, const CsvSink& write);

}  // namespace tessaly_common
