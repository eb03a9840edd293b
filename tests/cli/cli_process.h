#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tessaly_cli_test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// tessaly-cli run as a child process in a folder, under the C locale, its standard
// output and error captured through pipes.
class CliProcess {
 public:
  CliProcess(const std::vector<std::string>& args, const std::string& folder);
  ~CliProcess();
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  // Reads standard output until it holds text; false when the process ended first.
  bool WaitForOutput(const std::string& text);
  void Interrupt();
  CliResult Finish();

 private:
  bool ReadSome(bool both);

  pid_t pid_ = -1;
  int outFd_ = -1;
  int errFd_ = -1;
  CliResult result_;
};

CliResult RunCli(const std::vector<std::string>& args, const std::string& folder = ".");

std::vector<std::string> SplitLines(const std::string& text);

}  // namespace tessaly_cli_test
