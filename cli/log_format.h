#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace tessaly_cli {

// "Consumed time: ..." for a run's duration; whole days are dropped, as a time of day.
std::string FormatConsumedTime(std::chrono::milliseconds elapsed);

// The value in decimal, grouped by three with the separator.
std::string GroupThousands(uint64_t value, const std::string& separator);

// The thousands separator of the user's locale, "," when the locale defines none.
std::string UserThousandsSeparator();

}  // namespace tessaly_cli
