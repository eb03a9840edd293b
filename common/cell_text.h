#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine_table.h"

namespace tessaly_common {

// Text fit for one cell of a table shown to a user: NUL and line breaks become
// spaces, other control bytes dots, and outer blanks go.
std::string CellText(const char* bytes, size_t length);

// The cell text of a field that is not a memo: its bytes checked by the engine as a
// repair with these options would write them, binary values decoded.
std::string FieldCellText(EngineTable& table, uint64_t record, uint32_t field, uint32_t optionWord);

}  // namespace tessaly_common
