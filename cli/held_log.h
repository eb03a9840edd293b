#pragma once

#include <functional>
#include <string>
#include <vector>

#include "repair_log.h"

namespace tessaly_cli {

// A repair log kept whole until its turn to be printed, its lines and notices in the
// order they came. Progress goes on at once, to whoever shows it.
class HeldLog : public LogSink {
 public:
  explicit HeldLog(std::function<void(unsigned)> progress) : progress_(std::move(progress)) {}

  void Line(const std::string& text) override { entries_.push_back({false, text}); }
  void Notice(const std::string& text) override { entries_.push_back({true, text}); }
  // Passed on only when the figure moves: the engine reports after every record.
  void Progress(unsigned percent) override;
  void EndOfRun() override {}

  // Sends what was kept, in order, to another log.
  void PrintTo(LogSink& log) const;

 private:
  struct Entry {
    bool notice;
    std::string text;
  };
  std::function<void(unsigned)> progress_;
  std::vector<Entry> entries_;
  int percent_ = -1;
};

}  // namespace tessaly_cli
