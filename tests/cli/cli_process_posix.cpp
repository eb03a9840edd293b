#ifndef _WIN32
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "cli_process.h"

namespace tessaly_cli_test {

CliProcess::CliProcess(const std::vector<std::string>& args, const std::filesystem::path& folder) {
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe failed");
  process_ = fork();
  if (process_ < 0) throw std::runtime_error("fork failed");
  if (process_ == 0) {
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
  out_ = out[0];
  err_ = err[0];
}

CliProcess::~CliProcess() {
  if (process_ > 0) Finish();
}

bool CliProcess::ReadSome(bool both) {
  pollfd fds[2] = {{static_cast<int>(out_), POLLIN, 0}, {both ? static_cast<int>(err_) : -1, POLLIN, 0}};
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
      (i == 0 ? out_ : err_) = -1;
    }
  }
  return open;
}

bool CliProcess::WaitForOutput(const std::string& text) {
  while (result_.out.find(text) == std::string::npos) {
    if (out_ < 0 || !ReadSome(false)) return false;
  }
  return true;
}

bool CliProcess::Interrupt() { return kill(static_cast<pid_t>(process_), SIGINT) == 0; }

CliResult CliProcess::Finish() {
  while ((out_ >= 0 || err_ >= 0) && ReadSome(true)) {
  }
  if (out_ >= 0) close(out_);
  if (err_ >= 0) close(err_);
  out_ = err_ = -1;
  int status = 0;
  waitpid(static_cast<pid_t>(process_), &status, 0);
  process_ = -1;
  result_.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result_;
}

}  // namespace tessaly_cli_test
#endif
