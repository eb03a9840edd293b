// Every platform call of a representative repair made to fail in turn, one per run: the
// pass reports the failure with the text its kind calls for, ends as the driver's rules
// say, closes every file it opened and leaves the source files as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "event_recorder.h"
#include "fault_platform.h"
#include "memo_builder.h"
#include "repair_session.h"
#include "table_builder.h"
#include "temp_dir.h"
#include "system_error_codes.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

constexpr int kInjectedError = kErrorHardIO;
const std::string kFolder = "<dir>/";
const std::string kOutput = "o.dbf";

using Files = std::map<std::string, Bytes>;

struct Scenario {
  Files sources;
  std::string table;  // the source table among sources
  std::string memo;   // its memo file, or empty
  uint32_t optionWord;
};

struct Run {
  int32_t result = 0;
  std::vector<Event> events;
  Files files;  // every file in the folder afterwards
  std::vector<RecordedCall> calls;
  size_t openHandles = 0;
};

std::string WithoutFolder(std::string text, const std::string& folder, const std::string& replacement) {
  for (size_t at = text.find(folder); at != std::string::npos;
       at = text.find(folder, at + replacement.size()))
    text.replace(at, folder.size(), replacement);
  return text;
}

// failingCall 0 makes a clean run.
Run RepairFailing(const Scenario& scenario, uint64_t failingCall) {
  TempDir dir;
  for (const auto& [name, bytes] : scenario.sources) WriteWholeFile(dir.File(name), bytes);
  FaultPlatform platform;
  if (failingCall != 0) platform.FailCall(failingCall, kInjectedError);
  EventRecorder recorder;
  Run run;
  {
    ScopedPlatform installed(platform);
    RepairSession session(&EventRecorder::Callback, &recorder);
    run.result = session.RepairTable(dir.File(scenario.table).c_str(), 0, scenario.optionWord,
                                     dir.File(kOutput).c_str());
  }
  const std::string folder = (dir.path() / "").string();  // with the system's separator
  for (Event event : recorder.events) {
    event.text = WithoutFolder(event.text, folder, kFolder);
    run.events.push_back(event);
  }
  for (RecordedCall call : platform.Calls()) {
    call.file = WithoutFolder(call.file, folder, "");
    run.calls.push_back(call);
  }
  run.openHandles = platform.OpenHandleCount();
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    run.files[entry.path().filename().string()] = ReadWholeFile(entry.path().string());
  return run;
}

enum class Role { sourceTable, sourceMemo, outputTable, outputMemo, none };

Role RoleOf(const Scenario& scenario, const std::string& file) {
  if (file == scenario.table) return Role::sourceTable;
  if (!scenario.memo.empty() && file == scenario.memo) return Role::sourceMemo;
  if (file.rfind("o.", 0) == 0 || file.rfind("o_", 0) == 0)
    return file.ends_with(".dbf") ? Role::outputTable : Role::outputMemo;
  return Role::none;
}

// The split part a file of the output belongs to: o.* is part 0, o_k.* part k.
int PartOf(const std::string& file) { return file.rfind("o_", 0) == 0 ? std::stoi(file.substr(2)) : 0; }

enum class Outcome {
  asClean,            // nothing the user could notice
  openError,          // "Error 1", result 0
  createError,        // "Error 4"; the pass stops for a table, goes on for a memo file
  generalError,       // "Error 2", the pass ends
  withoutSourceMemo,  // memo fields cleared, nothing reported
  tolerated,          // an unreadable piece read as zeros or cut short, nothing reported
};

struct Expectation {
  Outcome outcome = Outcome::asClean;
  std::string error;
  int32_t result = 1;
};

Expectation Quietly(Outcome outcome) { return {outcome, "", 1}; }

std::string HardIoText(const std::string& file) {
  return "A hardware I/O error was reported while accessing " +
         (file.empty() ? std::string("an unnamed file") : kFolder + file) + ".";
}

bool IsFirstOpenOf(const std::vector<RecordedCall>& calls, size_t index) {
  for (size_t i = 0; i < index; ++i)
    if (calls[i].kind == PlatformCall::open && calls[i].file == calls[index].file) return false;
  return true;
}

// What a failure of the clean run's call at index must lead to.
Expectation Expect(const Scenario& scenario, const std::vector<RecordedCall>& calls, size_t index) {
  const RecordedCall& call = calls[index];
  const Role role = RoleOf(scenario, call.file);
  const bool output = role == Role::outputTable || role == Role::outputMemo;
  switch (call.kind) {
    case PlatformCall::fullPath:
    case PlatformCall::open:
      if (role == Role::sourceTable)
        return {Outcome::openError, "Error 1: Cannot open the file to be repaired. " + HardIoText(call.file),
                0};
      if (role == Role::sourceMemo) {
        // The first look at the memo file is the all-zero test, which then answers "no".
        const bool allZeroTest =
            (scenario.optionWord & MENDREL_OPT_IGNORE_ALL_ZERO_MEMO) != 0 && IsFirstOpenOf(calls, index);
        return Quietly(allZeroTest ? Outcome::asClean : Outcome::withoutSourceMemo);
      }
      return {Outcome::createError, "Error 4: Cannot create file. " + HardIoText(call.file)};
    case PlatformCall::write:
    case PlatformCall::writeAt:
      EXPECT_TRUE(output) << "a write to " << call.file;
      return {Outcome::generalError, "Error 2: General error. " + HardIoText(call.file)};
    case PlatformCall::close:
      return {Outcome::generalError, "Error 2: General error. " + HardIoText("")};
    case PlatformCall::getSize:
      return {Outcome::generalError, "Error 2: General error. " + HardIoText(""),
              role == Role::sourceTable ? 0 : 1};
    case PlatformCall::seek:
      if (output) return {Outcome::generalError, "Error 2: General error. " + HardIoText("")};
      return Quietly(Outcome::tolerated);
    case PlatformCall::read:
      return Quietly(Outcome::tolerated);
    case PlatformCall::readAt:  // read again sector by sector
    case PlatformCall::bytesPerSector:
    case PlatformCall::exists:
    case PlatformCall::isSameFile:
    case PlatformCall::listFolder:
      return Quietly(Outcome::asClean);
    default:
      ADD_FAILURE() << "a platform call this test does not expect, number " << index + 1;
      return {};
  }
}

// The part being written when the clean run made the call at index; -1 before the first.
int PartAt(const Scenario& scenario, const std::vector<RecordedCall>& calls, size_t index) {
  int part = -1;
  for (size_t i = 0; i <= index; ++i)
    if (calls[i].kind == PlatformCall::fullPath && RoleOf(scenario, calls[i].file) == Role::outputTable)
      part = PartOf(calls[i].file);
  return part;
}

std::vector<Event> ErrorsOf(const std::vector<Event>& events) {
  std::vector<Event> errors;
  for (const Event& event : events)
    if (event.code == EVT_ERROR || event.code == EVT_NOTICE) errors.push_back(event);
  return errors;
}

Files OutputsOf(const Scenario& scenario, const Files& files) {
  Files outputs;
  for (const auto& [name, bytes] : files)
    if (!scenario.sources.contains(name)) outputs[name] = bytes;
  return outputs;
}

// A table written to its end: header area, records and end mark agree with its header.
void ExpectFinishedTable(const std::string& name, const Bytes& table) {
  ASSERT_GE(table.size(), 34u) << name;
  const uint64_t expected = Little16(table, 8) + uint64_t{Little32(table, 4)} * Little16(table, 10) + 1;
  EXPECT_EQ(table.size(), expected) << name;
  EXPECT_EQ(table.back(), 0x1A) << name;
}

void ExpectEndsWithProgress100(const Run& run) {
  ASSERT_FALSE(run.events.empty());
  EXPECT_EQ(run.events.back(), Progress(100));
}

void ExpectOutcome(const Scenario& scenario, const Run& clean, const Run& run, const Expectation& expected,
                   int part, const std::string& failedFile) {
  const Files outputs = OutputsOf(scenario, run.files);
  const Files cleanOutputs = OutputsOf(scenario, clean.files);
  switch (expected.outcome) {
    case Outcome::asClean:
      EXPECT_EQ(run.result, clean.result);
      EXPECT_EQ(run.events, clean.events);
      EXPECT_EQ(run.files, clean.files);
      return;
    case Outcome::openError:
      EXPECT_EQ(run.result, 0);
      EXPECT_EQ(ErrorsOf(run.events), std::vector<Event>{Error(expected.error)});
      ExpectEndsWithProgress100(run);
      EXPECT_TRUE(outputs.empty());
      return;
    case Outcome::createError:
    case Outcome::generalError: {
      EXPECT_EQ(run.result, expected.result);
      EXPECT_EQ(ErrorsOf(run.events), std::vector<Event>{Error(expected.error)});
      const bool passGoesOn =
          expected.outcome == Outcome::createError && RoleOf(scenario, failedFile) == Role::outputMemo;
      ASSERT_GE(run.events.size(), 2u);
      if (!passGoesOn) {
        EXPECT_EQ(run.events[run.events.size() - 2], Error(expected.error)) << "the error ends the pass";
      }
      ExpectEndsWithProgress100(run);
      for (const auto& [name, bytes] : cleanOutputs) {
        const int filePart = PartOf(name);
        if (filePart < part || (passGoesOn && filePart > part)) {
          EXPECT_EQ(outputs.count(name) ? outputs.at(name) : Bytes{}, bytes)
              << name << " of a part not involved";
        } else if (filePart > part) {
          EXPECT_FALSE(outputs.contains(name)) << name << " of a part after the failure";
        }
      }
      if (passGoesOn) {
        const std::string table = failedFile.substr(0, failedFile.rfind('.')) + ".dbf";
        EXPECT_EQ(outputs.count(table) ? outputs.at(table).size() : 1u, 0u) << table << " stays empty";
      }
      return;
    }
    case Outcome::withoutSourceMemo:
      EXPECT_EQ(run.result, 1);
      EXPECT_TRUE(ErrorsOf(run.events).empty());
      ExpectEndsWithProgress100(run);
      ASSERT_EQ(outputs.size(), cleanOutputs.size());
      for (const auto& [name, bytes] : outputs) {
        if (RoleOf(scenario, name) == Role::outputMemo) {
          EXPECT_EQ(bytes.size(), 512u) << name << " holds no memo";
        } else {
          ExpectFinishedTable(name, bytes);
          EXPECT_EQ(bytes.size(), cleanOutputs.at(name).size()) << name;
        }
      }
      return;
    case Outcome::tolerated:
      EXPECT_TRUE(ErrorsOf(run.events).empty());
      if (run.result == 0) {
        EXPECT_EQ(part, -1) << "only the head of the source can end a run silently";
        EXPECT_NE(run.events.back(), Progress(100));
        EXPECT_TRUE(outputs.empty());
        return;
      }
      ExpectEndsWithProgress100(run);
      for (const auto& [name, bytes] : outputs)
        if (RoleOf(scenario, name) == Role::outputTable) ExpectFinishedTable(name, bytes);
      return;
  }
}

void FailEveryCallInTurn(const Scenario& scenario) {
  const Run clean = RepairFailing(scenario, 0);
  ASSERT_EQ(clean.result, 1);
  ASSERT_TRUE(ErrorsOf(clean.events).empty()) << Describe(ErrorsOf(clean.events).front());
  ASSERT_EQ(clean.openHandles, 0u);
  for (size_t index = 0; index < clean.calls.size(); ++index) {
    const RecordedCall& call = clean.calls[index];
    SCOPED_TRACE("call " + std::to_string(index + 1) + " of " + std::to_string(clean.calls.size()) +
                 ": kind " + std::to_string(static_cast<int>(call.kind)) + " on '" + call.file + "'");
    const Run run = RepairFailing(scenario, index + 1);
    ASSERT_GT(run.calls.size(), index);
    ASSERT_EQ(run.calls[index].kind, call.kind) << "the runs part before the failure";
    EXPECT_TRUE(run.calls[index].failed);
    EXPECT_EQ(run.openHandles, 0u) << "every file the pass opened is closed";
    for (const auto& [name, bytes] : scenario.sources)
      EXPECT_EQ(run.files.count(name) ? run.files.at(name) : Bytes{}, bytes) << name << " is never written";
    ExpectOutcome(scenario, clean, run, Expect(scenario, clean.calls, index),
                  PartAt(scenario, clean.calls, index), call.file);
    if (testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace

TEST(RepairFaults, EveryFailingCallOfASplitRepairIsReportedAndClosesEveryFile) {
  const Bytes table = TableBuilder()
                          .Field("NAME", 'C', 5)
                          .Field("BORN", 'D', 8)
                          .Field("AGE", 'N', 3)
                          .Record("Alice20050229 42")
                          .Record("Bob  19991231x 7", '*')
                          .Build();
  FailEveryCallInTurn(
      {{{"S.DBF", table}},
       "S.DBF",
       "",
       MendrelPackOptions(MENDREL_OPT_RECOVER_DELETED | MENDREL_OPT_REPAIR_DATE | MENDREL_OPT_SPLIT_TABLE,
                          MENDREL_VERSION_AUTO, 2)});
}

TEST(RepairFaults, EveryFailingCallOfADbtMemoRepairIsReportedAndClosesEveryFile) {
  const Bytes table = TableBuilder()
                          .Version(0x83)
                          .Field("NOTE", 'M', 10)
                          .Field("NAME", 'C', 4)
                          .Record(MemoPointerText(1) + "abcd")
                          .Record(MemoPointerText(2) + "efgh")
                          .Build();
  const auto memo = MemoBuilder::Dbt().Dbase3(1, "a dBASE III memo").Dbase4(2, "a dBASE IV memo");
  FailEveryCallInTurn({{{"M.DBF", table}, {"M.DBT", memo.bytes()}},
                       "M.DBF",
                       "M.DBT",
                       MENDREL_OPT_READ_SRC_MEMO | MENDREL_OPT_IGNORE_ALL_ZERO_MEMO});
}

TEST(RepairFaults, EveryFailingCallOfASplitVisualFoxProRepairIsReportedAndClosesEveryFile) {
  const Bytes table = TableBuilder()
                          .Version(0x30)
                          .Field("MEMO", 'M', 4)
                          .Field("NAME", 'C', 3)
                          .Field("PIC", 'G', 4)
                          .Record(LittleEndian32(8) + "abc" + LittleEndian32(9))
                          .Record(LittleEndian32(10) + "def" + LittleEndian32(0))
                          .Build();
  const auto memo =
      MemoBuilder::Fpt().Fox(8, 1, "a text memo").Fox(9, 0, "a picture").Fox(10, 2, "an object");
  FailEveryCallInTurn({{{"V.DBF", table}, {"V.FPT", memo.bytes()}},
                       "V.DBF",
                       "V.FPT",
                       MendrelPackOptions(MENDREL_OPT_READ_SRC_MEMO | MENDREL_OPT_SPLIT_TABLE,
                                          MENDREL_VERSION_VISUAL_FOXPRO, 2)});
}

// A folder that can be searched but not listed (write and search permission only, or a
// folder whose entries cannot be read): the memo file beside the table cannot be found
// by its case, yet an output must never take its place.
TEST(RepairFaults, AFolderThatCannotBeListedNeverLetsAnOutputOverwriteTheSourceMemoFile) {
  TempDir dir;
  const Bytes table = TableBuilder().Version(0x83).Field("NOTE", 'M', 10).Record(MemoPointerText(1)).Build();
  const Bytes memo = MemoBuilder::Dbt().Dbase3(1, "keep me").bytes();
  WriteWholeFile(dir.File("t.dbf"), table);
  WriteWholeFile(dir.File("t.dbt"), memo);
  // t.new takes its memo file's name from the source's: t.dbt.
  for (const std::string& output : {dir.File("t.new"), dir.File("t.dbt")}) {
    FaultPlatform platform;
    for (uint64_t n = 1; n <= 20; ++n) platform.FailCallOf(PlatformCall::listFolder, n, kErrorAccessDenied);
    EventRecorder recorder;
    {
      ScopedPlatform installed(platform);
      RepairSession session(&EventRecorder::Callback, &recorder);
      EXPECT_EQ(
          session.RepairTable(dir.File("t.dbf").c_str(), 0,
                              MENDREL_OPT_READ_SRC_MEMO | MENDREL_OPT_IGNORE_ALL_ZERO_MEMO, output.c_str()),
          1);
    }
    EXPECT_EQ(ReadWholeFile(dir.File("t.dbt")), memo) << output;
    EXPECT_EQ(ReadWholeFile(dir.File("t.dbf")), table) << output;
    EXPECT_EQ(recorder.LogEvents().back(),
              Error("Error 4: Cannot create file. A sharing violation occurred while accessing " +
                    dir.File("t.dbt") + "."));
    EXPECT_EQ(platform.OpenHandleCount(), 0u);
  }
}
