#pragma once

#include <cstddef>
#include <string>

namespace tessaly_cli {

// Text fit for one cell of a terminal table: NUL and line breaks become spaces,
// other control bytes dots, and outer blanks go.
std::string CellText(const char* bytes, size_t length);

// Width of a cell on a terminal: characters of valid UTF-8, else bytes.
size_t DisplayWidth(const std::string& text);

}  // namespace tessaly_cli
