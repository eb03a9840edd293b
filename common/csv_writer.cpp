#include "csv_writer.h"

namespace tessaly_common {
namespace {

constexpr char kQuote = '"';
constexpr std::string_view kNeedsQuotes = ",\"\r\n";
constexpr char kLineEnd[] = "\r\n";

}  // namespace

std::string CsvField(std::string_view value) {
  if (value.find_first_of(kNeedsQuotes) == std::string_view::npos) return std::string(value);
  std::string quoted(1, kQuote);
  for (char c : value) {
    if (c == kQuote) quoted += kQuote;
    quoted += c;
  }
  quoted += kQuote;
  return quoted;
}

std::string CsvLine(const std::vector<std::string>& fields) {
  // A line with nothing on it would read as no record at all.
  if (fields.size() == 1 && fields[0].empty()) return std::string(2, kQuote) + kLineEnd;
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += CsvField(fields[i]);
  }
  line += kLineEnd;
  return line;
}

}  // namespace tessaly_common
