#include "cli_process.h"

#include <regex>
#include <sstream>

#include "temp_dir.h"

namespace tessaly_cli_test {

CliResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& folder) {
  return CliProcess(args, folder).Finish();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string MaskElapsedTime(const std::string& log) {
  static const std::regex kTime("Consumed time: \\d+ hour\\(s\\) \\d+ minute\\(s\\) \\d+ "
                                "second\\(s\\) \\d+ millisecond\\(s\\)\\.");
  return std::regex_replace(
      log, kTime, "Consumed time: # hour(s) # minute(s) # second(s) # millisecond(s).");
}

uint32_t RecordCountOf(const std::string& table) {
  const auto bytes = tessaly_test::ReadWholeFile(table);
  if (bytes.size() < 8) return 0;
  uint32_t count = 0;
  for (int i = 7; i >= 4; --i) count = (count << 8) | static_cast<unsigned char>(bytes[i]);
  return count;
}

}  // namespace tessaly_cli_test
