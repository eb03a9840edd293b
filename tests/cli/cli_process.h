#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessaly_cli_test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// tessaly-cli run as a child process in a folder, under the C locale, its standard
// output and error captured through pipes. Lines end in "\n" as captured: the CR that
// a Windows program writes before each line end is taken out.
class CliProcess {
 public:
  CliProcess(const std::vector<std::string>& args, const std::filesystem::path& folder);
  ~CliProcess();
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  // Reads standard output until it holds text; false when the process ended first.
  bool WaitForOutput(const std::string& text);
  // Ctrl-C; false where the test cannot send one.
  bool Interrupt();
  CliResult Finish();

 private:
  bool ReadSome(bool both);

  // A process id and descriptors on POSIX, handles on Windows.
  intptr_t process_ = -1;
  intptr_t out_ = -1;
  intptr_t err_ = -1;
  CliResult result_;
};

CliResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& folder = ".");

std::vector<std::string> SplitLines(const std::string& text);

// A repair log with the one line that differs from run to run, the elapsed time, masked.
std::string MaskElapsedTime(const std::string& log);

// The record count a table's header holds; 0 when it cannot be read.
uint32_t RecordCountOf(const std::string& table);

}  // namespace tessaly_cli_test
