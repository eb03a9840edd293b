#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly_common {

// One record of RFC 4180 CSV: fields separated by commas and the line ended by CR LF. A
// field holding a comma, a double quote, CR or LF is put in double quotes, its own
// double quotes doubled; any other field is written as it is.
std::string CsvLine(const std::vector<std::string>& fields);

// One field as CsvLine writes it.
std::string CsvField(std::string_view value);

}  // namespace tessaly_common
