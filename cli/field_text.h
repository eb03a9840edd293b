#pragma once

#include <string>

#include "dbf_table.h"

namespace tessaly_cli {

// The display text of a non-memo field after the engine's value check: binary
// numbers, currency and date-times decoded, everything else as stored.
std::string FieldText(const TableField& field, const char* bytes, uint8_t tableVersion);

// Text fit for one cell of a terminal table: NUL and line breaks become spaces,
// other control bytes dots, and outer blanks go.
std::string CellText(const char* bytes, size_t length);

// Width of a cell on a terminal: characters of valid UTF-8, else bytes.
size_t DisplayWidth(const std::string& text);

}  // namespace tessaly_cli
