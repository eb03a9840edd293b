// The events of a repair, every one of them with its data, are those the engine sent
// before the mend report existed: the stored streams under event_streams/ were recorded
// with that engine, and the mend report's own events are the only ones added since.
//
// To record them again with another build of the library, run boundary_tests with
// TESSALY_RECORD_EVENT_STREAMS=tests/boundary/event_streams, LD_PRELOAD=that libmendrel.so
// and --gtest_filter='Recorded/EventStream*'.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "damaged_tables.h"
#include "event_recorder.h"
#include "fixture_tables.h"
#include "temp_dir.h"

using namespace tessaly_test;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kDefaultOptions = 0x00FF001B;
constexpr int32_t kMendReportCode = 58;
const fs::path kStreams = TESSALY_EVENT_STREAMS_DIR;
const fs::path kFixtures = TESSALY_FIXTURES_DIR;
const fs::path kSamples = TESSALY_SAMPLES_DIR;
constexpr char kFixturePrefix[] = "fixture__";

const char* RecordingFolder() { return std::getenv("TESSALY_RECORD_EVENT_STREAMS"); }

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Paths made on Windows mix both separators.
std::string SlashesOnly(const std::string& text) {
#ifdef _WIN32
  return Replaced(text, "\\", "/");
#else
  return text;
#endif
}

std::string Escaped(const std::string& text) { return Replaced(Replaced(text, "\\", "\\\\"), "\n", "\\n"); }

// One line per event; folders that differ between machines become <dir>, <fixtures>, <samples>.
std::string EventLine(const Event& event, const std::vector<std::pair<std::string, std::string>>& folders) {
  std::string text = SlashesOnly(event.text);
  for (const auto& [folder, name] : folders) text = Replaced(text, SlashesOnly(folder), name);
  switch (event.code) {
    case EVT_PROGRESS: return "P " + std::to_string(event.percent);
    case EVT_QUERY_STOP: return "Q";
    case EVT_SOURCE_FILE: return "S " + Escaped(text);
    case EVT_MESSAGE: return "M " + Escaped(text);
    case EVT_ERROR: return "E " + Escaped(text);
    case EVT_NOTICE: return "N " + Escaped(text);
    default: return "C " + std::to_string(event.code) + " " + Escaped(text);
  }
}

// Runs of a repeated group of one or two lines are stored once, followed by "* p n": the
// p lines above come n more times.
std::vector<std::string> Compressed(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (size_t i = 0; i < lines.size();) {
    size_t bestPeriod = 1, bestRepeats = 0;
    for (size_t period : {size_t{2}, size_t{1}}) {
      size_t repeats = 0;
      while (i + (repeats + 2) * period <= lines.size() &&
             std::equal(lines.begin() + i, lines.begin() + i + period, lines.begin() + i + (repeats + 1) * period))
        ++repeats;
      if (repeats >= 2 && repeats * period > bestRepeats * bestPeriod) bestPeriod = period, bestRepeats = repeats;
    }
    if (bestRepeats == 0) {
      out.push_back(lines[i++]);
      continue;
    }
    out.insert(out.end(), lines.begin() + i, lines.begin() + i + bestPeriod);
    out.push_back("* " + std::to_string(bestPeriod) + " " + std::to_string(bestRepeats));
    i += bestPeriod * (bestRepeats + 1);
  }
  return out;
}

std::vector<std::string> Expanded(const std::vector<std::string>& stored) {
  std::vector<std::string> lines;
  for (const std::string& line : stored) {
    if (line.empty() || line[0] != '*') {
      lines.push_back(line);
      continue;
    }
    size_t period = 0, repeats = 0;
    std::istringstream(line.substr(1)) >> period >> repeats;
    const std::vector<std::string> group(lines.end() - static_cast<std::ptrdiff_t>(period), lines.end());
    for (size_t n = 0; n < repeats; ++n) lines.insert(lines.end(), group.begin(), group.end());
  }
  return lines;
}

std::vector<std::string> ReadLines(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// One recorded run: how to make its input in a fresh folder, and what to repair.
struct StreamCase {
  std::function<void(const TempDir&)> write;
  std::string source;  // a name in the folder, or a path
  uint32_t options = kDefaultOptions;
  int stopAtQuery = 0;  // the stop query from which on the callback asks to stop; 0: never
};

StreamCase InFolder(std::function<void(const TempDir&)> write, uint32_t options = kDefaultOptions) {
  return StreamCase{std::move(write), "s.dbf", options};
}

const std::map<std::string, StreamCase>& BuiltCases() {
  const uint32_t splitAtThree = MendrelPackOptions(0x1F, 0, 3);
  static const std::map<std::string, StreamCase> cases = {
      {"damaged_dbase", InFolder(WriteDamagedDbaseTable)},
      {"damaged_dbase_keep_deleted", InFolder(WriteDamagedDbaseTable, kDefaultOptions & ~MENDREL_OPT_RECOVER_DELETED)},
      {"damaged_dbase_no_memo", InFolder(WriteDamagedDbaseTable, kDefaultOptions & ~MENDREL_OPT_READ_SRC_MEMO)},
      {"cut_table", InFolder(WriteCutTable)},
      {"memo_file_gone", InFolder(WriteTableWithoutItsMemoFile)},
      {"damaged_foxpro", InFolder(WriteDamagedFoxProTable)},
      {"split", InFolder(WriteSevenFieldTable, splitAtThree)},
      {"split_stopped", StreamCase{WriteSevenFieldTable, "s.dbf", splitAtThree, 12}},
      {"bytes_after_end_mark", InFolder(WriteTableWithBytesAfterItsEndMark)},
      {"sample", StreamCase{nullptr, (kSamples / "customers.dbf").string()}},
      {"sample_no_options", StreamCase{nullptr, (kSamples / "customers.dbf").string(), 0}},
      {"missing_source", StreamCase{nullptr, "missing.dbf"}},
      {"short_source", InFolder([](const TempDir& dir) { WriteWholeFile(dir.File("s.dbf"), std::vector<char>(31, 'x')); })},
  };
  return cases;
}

std::string FixtureCaseName(const std::string& relative) {
  std::string name = kFixturePrefix + relative;
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(name.begin(), name.end(), '\\', '_');
  return name;
}

// Every fixture table by its case name.
std::map<std::string, fs::path> FixtureCases() {
  std::map<std::string, fs::path> tables;
  for (const std::string& relative : FixtureTables(kFixtures))
    tables[FixtureCaseName(fs::path(relative).generic_string())] = kFixtures / relative;
  return tables;
}

// The case names to check: when recording, every case there is; else every stored stream.
std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  if (RecordingFolder() != nullptr) {
    for (const auto& [name, unused] : BuiltCases()) names.push_back(name);
    for (const auto& [name, unused] : FixtureCases()) names.push_back(name);
  } else if (fs::is_directory(kStreams)) {
    for (const auto& entry : fs::directory_iterator(kStreams)) names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<Event> RunCase(const std::string& name, const TempDir& dir) {
  StreamCase run;
  if (name.rfind(kFixturePrefix, 0) == 0) {
    const auto fixtures = FixtureCases();
    const auto found = fixtures.find(name);
    if (found == fixtures.end()) ADD_FAILURE() << "the fixture of " << name << " is gone";
    else run.source = found->second.string();
  } else {
    run = BuiltCases().at(name);
  }
  if (run.write) run.write(dir);
  const std::string source = fs::path(run.source).is_absolute() ? run.source : dir.File(run.source);
  EventRecorder recorder;
  const int stopAt = run.stopAtQuery;
  if (stopAt != 0) recorder.stopWhen = [stopAt](int query) { return query >= stopAt; };
  RunRepair(source, dir.File("o.dbf"), run.options, &recorder);
  return recorder.events;
}

class EventStream : public testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(EventStream, IsTodaysWithoutTheMendReport) {
  const std::string name = GetParam();
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> folders = {
      {dir.File(""), "<dir>/"},
      {(kFixtures / "").string(), "<fixtures>/"},
      {(kSamples / "").string(), "<samples>/"},
  };
  std::vector<std::string> lines;
  for (const Event& event : RunCase(name, dir)) {
    if (event.code == kMendReportCode) {
      EXPECT_EQ(RecordingFolder(), nullptr) << "recording needs the engine without the mend report";
      continue;
    }
    lines.push_back(EventLine(event, folders));
  }
  if (const char* folder = RecordingFolder()) {
    std::ofstream out(fs::path(folder) / (name + ".txt"), std::ios::binary | std::ios::trunc);
    for (const std::string& line : Compressed(lines)) out << line << '\n';
    return;
  }
  const std::vector<std::string> expected = Expanded(ReadLines(kStreams / (name + ".txt")));
  const auto [differs, unused] = std::mismatch(expected.begin(), expected.end(), lines.begin(), lines.end());
  const size_t at = static_cast<size_t>(differs - expected.begin());
  EXPECT_EQ(lines.size(), expected.size());
  if (at < std::min(lines.size(), expected.size()))
    ADD_FAILURE() << "event " << at << ": expected '" << expected[at] << "', got '" << lines[at] << "'";
}

INSTANTIATE_TEST_SUITE_P(Recorded, EventStream, testing::ValuesIn(CaseNames()), ParameterName);

TEST(EventStreamFile, RepeatedGroupsAreStoredOnceAndComeBackWhole) {
  const std::vector<std::string> lines = {"S a", "Q", "P 1", "Q", "P 1", "Q", "P 1", "Q", "P 2", "M x", "M x", "M x", "P 100"};
  const std::vector<std::string> stored = Compressed(lines);
  EXPECT_EQ(stored, (std::vector<std::string>{"S a", "Q", "P 1", "* 2 2", "Q", "P 2", "M x", "* 1 2", "P 100"}));
  EXPECT_EQ(Expanded(stored), lines);
}
