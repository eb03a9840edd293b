#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tessaly_cli {

// The percentage of the running repair, redrawn in place on a terminal.
class ProgressBar {
 public:
  ProgressBar(std::FILE* terminal, bool enabled) : terminal_(terminal), enabled_(enabled) {}

  void Show(unsigned percent);
  // Takes the bar off its line so that other output can use it.
  void Erase();

 private:
  void Draw();

  std::FILE* terminal_;
  bool enabled_;
  bool visible_ = false;
  int percent_ = -1;
};

// Where the lines of a repair log go: printed at once, or held for later.
class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void Line(const std::string& text) = 0;
  // A message for the user beside the log.
  virtual void Notice(const std::string& text) = 0;
  virtual void Progress(unsigned percent) = 0;
  // The engine returned: a progress bar makes room for the lines that follow.
  virtual void EndOfRun() = 0;
};

// The log on the console: lines on one stream, notices and the progress bar on another.
class ConsoleLog : public LogSink {
 public:
  ConsoleLog(std::FILE* log, std::FILE* messages, bool progressBar);

  void Line(const std::string& text) override;
  void Notice(const std::string& text) override;
  void Progress(unsigned percent) override { bar_.Show(percent); }
  void EndOfRun() override { bar_.Erase(); }

 private:
  std::FILE* log_;
  std::FILE* messages_;
  ProgressBar bar_;
};

// Writes the repair log and answers the engine's events as the desktop application
// does: messages, errors and the mend report become log lines, notices go to the user.
class RepairLog {
 public:
  explicit RepairLog(LogSink& sink) : sink_(sink) {}

  void Line(const std::string& text) { sink_.Line(text); }
  void Separator();
  // A separator, the text, a separator: how errors stand out in the log.
  void Framed(const std::string& text);
  void Notice(const std::string& text) { sink_.Notice(text); }
  void EndOfRun() { sink_.EndOfRun(); }

  // The engine's ProgressCallback; userData is the RepairLog.
  static int32_t Callback(int32_t code, void* data, void* userData);
  // The answer to the event: nonzero only to a stop query once a stop was asked for.
  int32_t OnMessage(int32_t code, const void* data);
  // How many errors the engine has reported through this log so far.
  uint32_t ErrorCount() const { return errorCount_; }

 private:
  // The events that become log lines or notices.
  [[gnu::noinline]] void OnLogEvent(int32_t code, const void* data);

  LogSink& sink_;
  uint32_t errorCount_ = 0;
};

}  // namespace tessaly_cli
