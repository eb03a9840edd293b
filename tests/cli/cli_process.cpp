#include "cli_process.h"

#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <stdexcept>

namespace tessaly_cli_test {

CliProcess::CliProcess(const std::vector<std::string>& args, const std::string& folder) {
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    close(out[0]), close(out[1]), close(err[0]), close(err[1]);
    setenv("LC_ALL", "C", 1);
    std::vector<char*> argv{const_cast<char*>(TESSALY_CLI_PATH)};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (chdir(folder.c_str()) == 0) execv(TESSALY_CLI_PATH, argv.data());
    _exit(127);
  }
  close(out[1]), close(err[1]);
  outFd_ = out[0];
  errFd_ = err[0];
}

CliProcess::~CliProcess() {
  if (pid_ > 0) Finish();
}

bool CliProcess::ReadSome(bool both) {
  pollfd fds[2] = {{outFd_, POLLIN, 0}, {both ? errFd_ : -1, POLLIN, 0}};
  if (poll(fds, 2, -1) < 0) return false;
  bool open = false;
  char buffer[4096];
  for (int i = 0; i < 2; ++i) {
    if (fds[i].fd < 0 || fds[i].revents == 0) {
      open = open || fds[i].fd >= 0;
      continue;
    }
    const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
    if (got > 0) {
      (i == 0 ? result_.out : result_.err).append(buffer, static_cast<size_t>(got));
      open = true;
    } else {
      close(fds[i].fd);
      (i == 0 ? outFd_ : errFd_) = -1;
    }
  }
  return open;
}

bool CliProcess::WaitForOutput(const std::string& text) {
  while (result_.out.find(text) == std::string::npos) {
    if (outFd_ < 0 || !ReadSome(false)) return false;
  }
  return true;
}

void CliProcess::Interrupt() { kill(pid_, SIGINT); }

CliResult CliProcess::Finish() {
  while ((outFd_ >= 0 || errFd_ >= 0) && ReadSome(true)) {
  }
  if (outFd_ >= 0) close(outFd_);
  if (errFd_ >= 0) close(errFd_);
  outFd_ = errFd_ = -1;
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  result_.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result_;
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& folder) {
  return CliProcess(args, folder).Finish();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace tessaly_cli_test
