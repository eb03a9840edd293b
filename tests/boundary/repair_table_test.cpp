// Whole repair runs through ordinal 1: events, results and the files left behind.
#include <filesystem>

#include <gtest/gtest.h>

#include "event_recorder.h"
#include "memo_builder.h"
#include "native_file.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_test;

namespace {

constexpr uint32_t kNoOptions = 0;
constexpr uint32_t kReadMemo = MENDREL_OPT_READ_SRC_MEMO;

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Holds a file the way another program that denies sharing would.
class ForeignLock : public NativeFile {
 public:
  explicit ForeignLock(const std::string& path) : NativeFile(path, Mode::exclusive) {}
};

TableBuilder SmallTable() {
  return TableBuilder().Field("NAME", 'C', 5).Field("AGE", 'N', 3).Record("Alice 42").Record("Bob    7");
}

}  // namespace

TEST(RepairTable, ACleanTableIsCopiedByteForByteWithEveryEventInOrder) {
  TempDir dir;
  const Bytes table = SmallTable().Build();
  WriteWholeFile(dir.File("t.dbf"), table);
  EventRecorder recorder;
  EXPECT_EQ(RunRepair(dir.File("t.dbf"), dir.File("o.dbf"), kNoOptions, &recorder), 1);

  EXPECT_EQ(ReadWholeFile(dir.File("o.dbf")), table);
  const int length = static_cast<int>(table.size());
  const std::vector<Event> expected = {
      Progress(0), SourceFile(dir.File("t.dbf")), Message("Analyzing the source file ..."), Message("-"),
      QueryStop(), Progress(64 * 100 / length), QueryStop(), Progress(96 * 100 / length), QueryStop(),
      Message("Write DBF header ..."),
      QueryStop(), Progress((97 + 9) * 100 / length), QueryStop(), Progress((97 + 18) * 100 / length),
      QueryStop(),  // the read that meets the end mark
      Message("Add 2 records."),
      Report("Record area: start=97 stride=9 offset=1 announced=2 written=2 after=1"),
      Report("2 records announced, 2 found"), Progress(100)};
  EXPECT_EQ(recorder.events, expected);
}

TEST(RepairTable, ASourceShorterThanAHeaderEndsSilentlyWithoutOutput) {
  TempDir dir;
  WriteWholeFile(dir.File("t.dbf"), Bytes(31, 0x03));
  EventRecorder recorder;
  EXPECT_EQ(RunRepair(dir.File("t.dbf"), dir.File("o.dbf"), kNoOptions, &recorder), 0);
  EXPECT_EQ(recorder.events, (std::vector<Event>{Progress(0), SourceFile(dir.File("t.dbf")),
                                                 Message("Analyzing the source file ..."), Message("-")}));
  EXPECT_FALSE(Exists(dir.File("o.dbf")));
}

TEST(RepairTable, AStopBeforeTheFirstDescriptorEndsSilently) {
  TempDir dir;
  SmallTable().WriteTo(dir.File("t.dbf"));
  EventRecorder recorder;
  recorder.stopWhen = [](int) { return true; };
  EXPECT_EQ(RunRepair(dir.File("t.dbf"), dir.File("o.dbf"), kNoOptions, &recorder), 0);
  EXPECT_EQ(recorder.events.back(), QueryStop());
  EXPECT_FALSE(Exists(dir.File("o.dbf")));
}

TEST(RepairTable, AMissingSourceIsReportedAsError1) {
  TempDir dir;
  EventRecorder recorder;
  const std::string missing = dir.File("none.dbf");
  EXPECT_EQ(RunRepair(missing, dir.File("o.dbf"), kNoOptions, &recorder), 0);
  EXPECT_EQ(recorder.LogEvents(),
            (std::vector<Event>{SourceFile(missing),
                                Error("Error 1: Cannot open the file to be repaired. " + missing + " was not found.")}));
  EXPECT_EQ(recorder.events.back(), Progress(100));
}

TEST(RepairTable, ALockedSourceGivesError1AndTheShareViolationNotice) {
  TempDir dir;
  const std::string source = dir.File("t.dbf");
  SmallTable().WriteTo(source);
  ForeignLock lock(source);
  EventRecorder recorder;
  EXPECT_EQ(RunRepair(source, dir.File("o.dbf"), kNoOptions, &recorder), 0);
  EXPECT_EQ(recorder.events,
            (std::vector<Event>{
                Progress(0), SourceFile(source),
                Error("Error 1: Cannot open the file to be repaired. A sharing violation occurred while accessing " +
                      source + "."),
                Notice("Share violation when opening the source file '" + source +
                       "'. Please close any other applications accessing the file and try again."),
                Progress(100)}));
  EXPECT_FALSE(Exists(dir.File("o.dbf")));
}

TEST(RepairTable, AnOutputThatCannotBeCreatedIsError4WithResult1) {
  TempDir dir;
  SmallTable().WriteTo(dir.File("t.dbf"));
  EventRecorder recorder;
  const std::string output = dir.File("missing/o.dbf");
  EXPECT_EQ(RunRepair(dir.File("t.dbf"), output, kNoOptions, &recorder), 1);
#ifdef _WIN32
  const std::string cause = " contains an invalid path.";  // the system tells a missing folder apart
#else
  const std::string cause = " was not found.";
#endif
  EXPECT_EQ(recorder.LogEvents().back(), Error("Error 4: Cannot create file. " + output + cause));
  EXPECT_EQ(recorder.events.back(), Progress(100));
}

TEST(RepairTable, NeverWritesTheSourceTableWhateverTheOutputName) {
  TempDir dir;
  const std::string source = dir.File("t.dbf");
  const Bytes table = SmallTable().Build();
  WriteWholeFile(source, table);
#ifdef _WIN32
  std::filesystem::create_hard_link(source, dir.File("link.dbf"));  // a second name of the file
#else
  std::filesystem::create_symlink(source, dir.File("link.dbf"));
#endif
  for (const std::string& output : {source, dir.File("link.dbf"), dir.File("./t.dbf")}) {
    EventRecorder recorder;
    EXPECT_EQ(RunRepair(source, output, kNoOptions, &recorder), 1);
    EXPECT_EQ(recorder.LogEvents().back(),
              Error("Error 4: Cannot create file. A sharing violation occurred while accessing " + output + "."));
    EXPECT_EQ(ReadWholeFile(source), table) << output;
  }
}

TEST(RepairTable, NeverWritesTheSourceMemoFileEvenWhenItIsNotRead) {
  TempDir dir;
  const std::string source = dir.File("t.dbf");
  TableBuilder().Field("NOTE", 'M', 10).Record(MemoPointerText(1)).WriteTo(source);
  const MemoBuilder memo = MemoBuilder::Dbt().Dbase3(1, "kept");
  memo.WriteTo(dir.File("t.dbt"));
#ifdef _WIN32
  // Names ignore case here; a second name of the memo file stands in for "T.dbt".
  const std::string outputTable = dir.File("u.dbf");
  const std::string memoName = dir.File("u.dbt");
  std::filesystem::create_hard_link(dir.File("t.dbt"), memoName);
#else
  const std::string outputTable = dir.File("T.dbf");
  const std::string memoName = dir.File("T.dbt");
#endif
  // The output table's memo file would be the source memo; the table of a later part its memo too.
  for (const std::string& output : {outputTable, dir.File("t.dbt")}) {
    EventRecorder recorder;
    RunRepair(source, output, kNoOptions, &recorder);
    EXPECT_EQ(ReadWholeFile(dir.File("t.dbt")), memo.bytes()) << output;
  }
  EventRecorder recorder;
  EXPECT_EQ(RunRepair(source, outputTable, kReadMemo, &recorder), 1);
  EXPECT_EQ(recorder.LogEvents().back(),
            Error("Error 4: Cannot create file. A sharing violation occurred while accessing " + memoName + "."));
  EXPECT_EQ(ReadWholeFile(outputTable), Bytes{});  // the part's table stays empty
  EXPECT_EQ(recorder.events.back(), Progress(100));
}

TEST(RepairTable, AnOutputMemoThatCannotBeCreatedIsReportedAndThePassGoesOn) {
  TempDir dir;
  const std::string source = dir.File("t.dbf");
  TableBuilder().Field("A", 'C', 1).Field("NOTE", 'M', 10).Record("x" + MemoPointerText(0)).WriteTo(source);
  std::filesystem::create_directory(dir.File("o.dbt"));  // a folder where the first memo file goes
  EventRecorder recorder;
  const uint32_t splitOneField = MendrelPackOptions(MENDREL_OPT_SPLIT_TABLE, 0, 1);
  EXPECT_EQ(RunRepair(source, dir.File("o.dbf"), splitOneField, &recorder), 1);
  EXPECT_EQ(recorder.Messages(),
            (std::vector<std::string>{"Analyzing the source file ...", "-", "-",
                                      "Create a split DBF file " + dir.File("o_1.dbf") +
                                          " as the field count in the table reaches the maximum allowable value 1.",
                                      "-", "Write DBF header ...", "Add 1 records."}));
  EXPECT_EQ(recorder.LogEvents()[3], Error("Error 4: Cannot create file. Access to " + dir.File("o.dbt") + " was denied."));
  EXPECT_EQ(ReadWholeFile(dir.File("o.dbf")), Bytes{});
  EXPECT_EQ(Little32(ReadWholeFile(dir.File("o_1.dbf")), 4), 1u);
}

TEST(RepairTable, ANullCallbackGivesTheSameOutput) {
  TempDir dir;
  SmallTable().WriteTo(dir.File("t.dbf"));
  EXPECT_EQ(RunRepair(dir.File("t.dbf"), dir.File("o.dbf"), kNoOptions, nullptr, 0x1234), 1);
  EXPECT_EQ(ReadWholeFile(dir.File("o.dbf")), SmallTable().Build());
}

TEST(RepairTable, GeneratedNamesAreNumberedAcrossRuns) {
  TempDir dir;
  TableBuilder().RawDescriptor(MakeDescriptor("", 'C', 2)).Record("ab").WriteTo(dir.File("t.dbf"));
  RunRepair(dir.File("t.dbf"), dir.File("o1.dbf"), kNoOptions, nullptr);
  RunRepair(dir.File("t.dbf"), dir.File("o2.dbf"), kNoOptions, nullptr);
  const std::string first(ReadWholeFile(dir.File("o1.dbf")).data() + 32);
  const std::string second(ReadWholeFile(dir.File("o2.dbf")).data() + 32);
  ASSERT_EQ(first.rfind("Field", 0), 0u);
  EXPECT_EQ(second, "Field" + std::to_string(std::stoul(first.substr(5)) + 1));
}

TEST(RepairTable, AFailureDescriptionIsCutTo4095Characters) {
  TempDir dir;
  SmallTable().WriteTo(dir.File("t.dbf"));
  const std::string output = dir.File(std::string(300, 'n') + "/" + std::string(4000, 'o') + ".dbf");
  EventRecorder recorder;
  EXPECT_EQ(RunRepair(dir.File("t.dbf"), output, kNoOptions, &recorder), 1);
  const std::string description = (output + " contains an invalid path.").substr(0, 4095);
  EXPECT_EQ(recorder.LogEvents().back(), Error("Error 4: Cannot create file. " + description));
}
