#include "parallel_repairs.h"

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "fixed_file_name.h"
#include "held_log.h"
#include "stop_request.h"

namespace tessaly_cli {
namespace {

constexpr unsigned kFullPercent = 100;

// A table's name as the file systems of both systems may take it: absolute, without
// case, without extension (its memo file and the table are one).
std::string PathKey(const std::string& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) absolute = path;
  std::string key = absolute.lexically_normal().replace_extension().string();
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
  return key;
}

class RepairQueue {
 public:
  RepairQueue(const RepairRequest& request, LogSink& console);

  std::vector<RepairOutcome> Run(unsigned jobs);

 private:
  struct Table {
    std::string source;
    std::string output;
    std::string sourceKey;
    std::string outputKey;
    uint64_t weight = 1;  // its share of the progress bar: its size
    unsigned percent = 0;
    bool done = false;
    std::unique_ptr<HeldLog> log;  // none for a table that was not started
    RepairOutcome outcome = RepairOutcome::kStopped;
  };

  void Work();
  std::optional<size_t> Take();
  // False when a stop was asked for meanwhile: the table is then not started.
  bool WaitForEarlierTablesItShares(size_t index);
  bool Shares(const Table& later, const Table& earlier) const;
  void Finish(size_t index, std::unique_ptr<HeldLog> log, RepairOutcome outcome);
  void ShowProgress(size_t index, unsigned percent);
  // Prints the logs that are complete and have no incomplete one before them.
  void PrintCompleteLogs();
  unsigned OverallPercent() const;

  const RepairRequest& request_;
  LogSink& console_;
  std::vector<Table> tables_;
  std::mutex mutex_;  // guards the tables, the counters and the console
  std::condition_variable tableDone_;
  size_t next_ = 0;
  size_t printed_ = 0;
  bool anyPrinted_ = false;
};

RepairQueue::RepairQueue(const RepairRequest& request, LogSink& console) : request_(request), console_(console) {
  for (const std::string& source : request.sources) {
    Table table;
    table.source = source;
    table.output = OutputFor(request, source);
    table.sourceKey = PathKey(source);
    table.outputKey = PathKey(table.output);
    table.weight = GetFileSize64(source) + 1;
    tables_.push_back(std::move(table));
  }
}

std::vector<RepairOutcome> RepairQueue::Run(unsigned jobs) {
  std::vector<std::thread> workers;
  const size_t count = std::min<size_t>(jobs, tables_.size());
  for (size_t i = 0; i < count; ++i) workers.emplace_back(&RepairQueue::Work, this);
  for (std::thread& worker : workers) worker.join();
  std::vector<RepairOutcome> outcomes;
  for (const Table& table : tables_)
    if (table.log) outcomes.push_back(table.outcome);
  return outcomes;
}

void RepairQueue::Work() {
  while (const std::optional<size_t> index = Take()) {
    if (!WaitForEarlierTablesItShares(*index)) {
      Finish(*index, nullptr, RepairOutcome::kStopped);
      continue;
    }
    const Table& table = tables_[*index];  // its names never change
    auto held = std::make_unique<HeldLog>([this, index](unsigned percent) { ShowProgress(*index, percent); });
    RepairLog log(*held);
    const RepairOutcome outcome = RepairOneFile(table.source, table.output, request_, log);
    Finish(*index, std::move(held), outcome);
  }
}

std::optional<size_t> RepairQueue::Take() {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (StopRequested() || next_ >= tables_.size()) return std::nullopt;
  return next_++;
}

bool RepairQueue::WaitForEarlierTablesItShares(size_t index) {
  std::unique_lock<std::mutex> lock(mutex_);
  tableDone_.wait(lock, [&] {
    for (size_t earlier = 0; earlier < index; ++earlier)
      if (!tables_[earlier].done && Shares(tables_[index], tables_[earlier])) return false;
    return true;
  });
  return !StopRequested();
}

bool RepairQueue::Shares(const Table& later, const Table& earlier) const {
  return later.outputKey == earlier.outputKey || later.sourceKey == earlier.outputKey ||
         later.outputKey == earlier.sourceKey;
}

void RepairQueue::Finish(size_t index, std::unique_ptr<HeldLog> log, RepairOutcome outcome) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    Table& table = tables_[index];
    table.log = std::move(log);
    table.outcome = outcome;
    table.percent = kFullPercent;
    table.done = true;
    PrintCompleteLogs();
  }
  tableDone_.notify_all();
}

void RepairQueue::ShowProgress(size_t index, unsigned percent) {
  const std::lock_guard<std::mutex> lock(mutex_);
  tables_[index].percent = std::min(percent, kFullPercent);
  console_.Progress(OverallPercent());
}

void RepairQueue::PrintCompleteLogs() {
  while (printed_ < tables_.size() && tables_[printed_].done) {
    const Table& table = tables_[printed_++];
    if (!table.log) continue;
    if (anyPrinted_) console_.Line("");
    table.log->PrintTo(console_);
    anyPrinted_ = true;
  }
  if (printed_ < tables_.size()) console_.Progress(OverallPercent());
}

// Each table counts by its size, so that a large one moves the bar as much as it takes.
unsigned RepairQueue::OverallPercent() const {
  long double done = 0, total = 0;
  for (const Table& table : tables_) {
    done += static_cast<long double>(table.weight) * table.percent;
    total += static_cast<long double>(table.weight);
  }
  return static_cast<unsigned>(done / total);
}

}  // namespace

std::vector<RepairOutcome> RepairAtOnce(const RepairRequest& request, LogSink& console) {
  RepairQueue queue(request, console);
  const std::vector<RepairOutcome> outcomes = queue.Run(request.Jobs());
  console.EndOfRun();
  return outcomes;
}

}  // namespace tessaly_cli
