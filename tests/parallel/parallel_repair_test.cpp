// Repairs on several threads at once through the library's ordinal table: each must
// write the bytes and send the events it does when it runs alone.
#include <algorithm>
#include <cstring>
#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "damaged_tables.h"
#include "event_recorder.h"
#include "fixture_tables.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_test;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kDefaultOptions = 0x00FF001B;
constexpr unsigned kThreads = 4;

// One repair: a source in a folder of its own, repaired into that folder.
struct Job {
  std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
  std::string source;
  uint32_t options = kDefaultOptions;
  std::string templatePath;
};

// What a repair left: its result, its events and every file it wrote.
struct Outcome {
  int32_t result = -1;
  std::vector<Event> events;
  std::map<std::string, std::vector<char>> files;

  bool operator==(const Outcome&) const = default;
};

std::string OutputOf(const Job& job) { return job.dir->File("out.dbf"); }

bool IsOutputFile(const fs::path& file) { return file.filename().string().rfind("out", 0) == 0; }

// Runs the job and takes its output files away, so that the next run starts afresh.
Outcome RunJob(const Job& job) {
  EventRecorder recorder;
  Outcome outcome;
  outcome.result = job.templatePath.empty()
                       ? RunRepair(job.source, OutputOf(job), job.options, &recorder)
                       : RunRepairWithTemplate(job.source, OutputOf(job), job.options, job.templatePath, &recorder);
  outcome.events = recorder.events;
  for (const auto& entry : fs::directory_iterator(job.dir->path())) {
    if (!IsOutputFile(entry.path())) continue;
    outcome.files[entry.path().filename().string()] = ReadWholeFile(entry.path().string());
    fs::remove(entry.path());
  }
  return outcome;
}

// Runs every job on kThreads threads at once, each taking the next job left.
std::vector<Outcome> RunAllAtOnce(const std::vector<Job>& jobs) {
  std::vector<Outcome> outcomes(jobs.size());
  std::atomic<size_t> next{0};
  std::vector<std::thread> threads;
  for (unsigned i = 0; i < kThreads; ++i)
    threads.emplace_back([&] {
      for (size_t job = next++; job < jobs.size(); job = next++) outcomes[job] = RunJob(jobs[job]);
    });
  for (std::thread& thread : threads) thread.join();
  return outcomes;
}

Job DamagedTable(void (*write)(const TempDir&), uint32_t options = kDefaultOptions) {
  Job job;
  write(*job.dir);
  job.source = job.dir->File("s.dbf");
  job.options = options;
  return job;
}

// The table with its first 512 bytes zeroed, its sound twin as the template.
Job LostHeaderWithTemplate() {
  Job job;
  TableBuilder table;
  table.Field("NAME", 'C', 20).Field("QTY", 'N', 5);
  for (int i = 0; i < 60; ++i) {
    std::string name = "name " + std::to_string(i);
    name.resize(20, ' ');
    table.Record(name + "   42");
  }
  Bytes bytes = table.Build();
  job.templatePath = job.dir->File("twin.dbf");
  WriteWholeFile(job.templatePath, bytes);
  std::fill(bytes.begin(), bytes.begin() + 512, '\0');
  job.source = job.dir->File("s.dbf");
  WriteWholeFile(job.source, bytes);
  return job;
}

std::vector<Job> VariedJobs() {
  std::vector<Job> jobs;
  jobs.push_back(DamagedTable(WriteDamagedDbaseTable));
  jobs.push_back(DamagedTable(WriteDamagedFoxProTable));
  jobs.push_back(DamagedTable(WriteCutTable));
  jobs.push_back(DamagedTable(WriteTableWithoutItsMemoFile));
  jobs.push_back(DamagedTable(WriteSevenFieldTable, MendrelPackOptions(0x1B, 0, 3)));
  jobs.push_back(DamagedTable(WriteTableWithBytesAfterItsEndMark));
  jobs.push_back(LostHeaderWithTemplate());
  for (const std::string& table : FixtureTables(TESSALY_FIXTURES_DIR)) {
    Job job;
    job.source = (fs::path(TESSALY_FIXTURES_DIR) / table).string();
    jobs.push_back(std::move(job));
  }
  return jobs;
}

// The generated names ("Field7") of a repaired table: where each stands, and its number.
std::map<size_t, unsigned> GeneratedNames(const std::vector<char>& table) {
  static const std::regex kGenerated("Field([0-9]+)");
  std::map<size_t, unsigned> names;
  for (size_t at = 32; at + 32 <= table.size() && table[at] != '\x0D'; at += 32) {
    std::smatch match;
    const std::string name(table.data() + at, strnlen(table.data() + at, 11));
    if (std::regex_match(name, match, kGenerated)) names[at] = std::stoul(match[1]);
  }
  return names;
}

// Generated names take the next numbers of a counter the whole process shares, so a
// table run alone and at once with others gets other numbers: they are left out.
Outcome WithoutGeneratedNumbers(Outcome outcome) {
  static const std::regex kGenerated("Field[0-9]+");
  for (Event& event : outcome.events) event.text = std::regex_replace(event.text, kGenerated, "Field#");
  for (auto& [name, bytes] : outcome.files) {
    if (name.find(".dbf") == std::string::npos) continue;
    for (const auto& [at, number] : GeneratedNames(bytes)) std::memcpy(bytes.data() + at, "Field#\0\0\0\0\0", 11);
  }
  return outcome;
}

}  // namespace

TEST(ParallelRepair, EachRepairWritesAndTellsWhatItDoesAlone) {
  const std::vector<Job> jobs = VariedJobs();
  std::vector<Outcome> alone;
  for (const Job& job : jobs) alone.push_back(RunJob(job));
  const std::vector<Outcome> together = RunAllAtOnce(jobs);
  for (size_t i = 0; i < jobs.size(); ++i) {
    EXPECT_FALSE(alone[i].events.empty()) << jobs[i].source;
    EXPECT_TRUE(WithoutGeneratedNumbers(together[i]) == WithoutGeneratedNumbers(alone[i])) << jobs[i].source;
  }
}

// Nameless fields draw their numbers from one counter: no two repairs get the same one,
// and none is skipped.
TEST(ParallelRepair, GeneratedNamesAreNeverHandedOutTwice) {
  constexpr int kFieldsPerTable = 3;
  std::vector<Job> jobs(12);
  for (Job& job : jobs) {
    TableBuilder table;
    for (int i = 0; i < kFieldsPerTable; ++i) table.Field("", 'C', 4);
    for (int i = 0; i < 50; ++i) table.Record("aaaabbbbcccc");
    job.source = job.dir->File("s.dbf");
    table.WriteTo(job.source);
  }
  std::vector<unsigned> numbers;
  for (const Outcome& outcome : RunAllAtOnce(jobs)) {
    ASSERT_EQ(outcome.files.count("out.dbf"), 1u);
    std::vector<unsigned> table;
    for (const auto& [at, number] : GeneratedNames(outcome.files.at("out.dbf"))) table.push_back(number);
    EXPECT_EQ(table.size(), static_cast<size_t>(kFieldsPerTable));
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end()));  // in field order within one repair
    numbers.insert(numbers.end(), table.begin(), table.end());
  }
  std::sort(numbers.begin(), numbers.end());
  ASSERT_EQ(numbers.size(), jobs.size() * kFieldsPerTable);
  EXPECT_EQ(std::set<unsigned>(numbers.begin(), numbers.end()).size(), numbers.size());
  EXPECT_EQ(numbers.back() - numbers.front() + 1, numbers.size());
}
