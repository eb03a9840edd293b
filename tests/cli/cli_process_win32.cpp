#ifdef _WIN32
#include <windows.h>

#include <stdexcept>
#include <thread>

#include "cli_process.h"

namespace tessaly_cli_test {
namespace {

HANDLE Native(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// One argument as the C runtime of the child splits its command line again.
std::string Quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

// A pipe whose write end the child inherits.
void MakePipe(HANDLE& read, HANDLE& write) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  if (!CreatePipe(&read, &write, &inherit, 0)) throw std::runtime_error("CreatePipe failed");
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
}

// Reads until the write end closes, or until stop says that enough came.
template <typename Stop>
void ReadPipe(intptr_t& pipe, std::string& text, Stop stop) {
  char buffer[4096];
  while (pipe != -1 && !stop()) {
    DWORD got = 0;
    if (!ReadFile(Native(pipe), buffer, sizeof buffer, &got, nullptr) || got == 0) {
      CloseHandle(Native(pipe));
      pipe = -1;
      return;
    }
    text.append(buffer, got);
  }
}

std::string WithoutCarriageReturns(std::string text) {
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
    text.erase(at, 1);
  return text;
}

}  // namespace

CliProcess::CliProcess(const std::vector<std::string>& args, const std::filesystem::path& folder) {
  HANDLE outRead, outWrite, errRead, errWrite;
  MakePipe(outRead, outWrite);
  MakePipe(errRead, errWrite);
  std::string command = Quoted(TESSALY_CLI_PATH);
  for (const auto& arg : args) command += " " + Quoted(arg);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION child{};
  const BOOL started = CreateProcessA(TESSALY_CLI_PATH, command.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, folder.string().c_str(), &startup, &child);
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  if (!started) {
    CloseHandle(outRead);
    CloseHandle(errRead);
    throw std::runtime_error("CreateProcess failed");
  }
  CloseHandle(child.hThread);
  process_ = reinterpret_cast<intptr_t>(child.hProcess);
  out_ = reinterpret_cast<intptr_t>(outRead);
  err_ = reinterpret_cast<intptr_t>(errRead);
}

CliProcess::~CliProcess() {
  if (process_ != -1) Finish();
}

bool CliProcess::WaitForOutput(const std::string& text) {
  ReadPipe(out_, result_.out, [&] { return result_.out.find(text) != std::string::npos; });
  return result_.out.find(text) != std::string::npos;
}

// A console event reaches a whole console group, this test included; not sent here.
bool CliProcess::Interrupt() { return false; }

CliResult CliProcess::Finish() {
  // Both pipes at once, so that a full one never holds the child.
  std::thread errors([this] { ReadPipe(err_, result_.err, [] { return false; }); });
  ReadPipe(out_, result_.out, [] { return false; });
  errors.join();
  WaitForSingleObject(Native(process_), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(Native(process_), &code);
  CloseHandle(Native(process_));
  process_ = -1;
  result_.exitCode = static_cast<int>(code);
  result_.out = WithoutCarriageReturns(result_.out);
  result_.err = WithoutCarriageReturns(result_.err);
  return result_;
}

}  // namespace tessaly_cli_test
#endif
