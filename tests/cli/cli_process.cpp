#include "cli_process.h"

#include <sstream>

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

}  // namespace tessaly_cli_test
