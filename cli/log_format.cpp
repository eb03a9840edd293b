#include "log_format.h"

#include "cli_texts.h"

namespace tessaly_cli {

std::string FormatConsumedTime(std::chrono::milliseconds elapsed) {
  constexpr int64_t kMillisPerDay = 24LL * 60 * 60 * 1000;
  const int64_t ms = elapsed.count() < 0 ? 0 : elapsed.count() % kMillisPerDay;
  const auto hours = static_cast<unsigned>(ms / 3600000);
  const auto minutes = static_cast<unsigned>(ms / 60000 % 60);
  const auto seconds = static_cast<unsigned>(ms / 1000 % 60);
  const auto millis = static_cast<unsigned>(ms % 1000);
  return FormatCliText(kTextConsumedTime, hours, minutes, seconds, millis);
}

std::string GroupThousands(uint64_t value, const std::string& separator) {
  const std::string digits = std::to_string(value);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += separator;
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace tessaly_cli
