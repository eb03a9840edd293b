// Tables with more fields than one output may hold, split over several outputs.
#include <filesystem>

#include <gtest/gtest.h>

#include "event_recorder.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_test;

namespace {

const uint32_t kSplit255 = MendrelPackOptions(MENDREL_OPT_SPLIT_TABLE, 0, 255);

// 600 one-byte fields F1..F600; record r holds the character 'a' + r in every field.
TableBuilder WideTable(int records) {
  TableBuilder table;
  for (int i = 1; i <= 600; ++i) table.Field("F" + std::to_string(i), 'C', 1);
  for (int r = 0; r < records; ++r) table.Record(std::string(600, static_cast<char>('a' + r)));
  return table;
}

std::vector<std::string> FieldNames(const Bytes& table) {
  std::vector<std::string> names;
  for (size_t at = 32; at < table.size() && table[at] != 0x0D; at += 32) names.emplace_back(table.data() + at);
  return names;
}

std::vector<std::string> Names(int first, int last) {
  std::vector<std::string> names;
  for (int i = first; i <= last; ++i) names.push_back("F" + std::to_string(i));
  return names;
}

std::string SplitMessage(const std::string& name, int fields) {
  return "Create a split DBF file " + name + " as the field count in the table reaches the maximum allowable value " +
         std::to_string(fields) + ".";
}

}  // namespace

TEST(RepairSplit, SixHundredFieldsGoToThreeTablesOf255255And90) {
  TempDir dir;
  WideTable(2).WriteTo(dir.File("s.dbf"));
  EventRecorder recorder;
  EXPECT_EQ(RunRepair(dir.File("s.dbf"), dir.File("t.dbf"), kSplit255, &recorder), 1);

  const std::string parts[] = {dir.File("t.dbf"), dir.File("t_1.dbf"), dir.File("t_2.dbf")};
  const int firstField[] = {1, 256, 511};
  const int lastField[] = {255, 510, 600};
  for (int p = 0; p < 3; ++p) {
    const Bytes table = ReadWholeFile(parts[p]);
    const int count = lastField[p] - firstField[p] + 1;
    EXPECT_EQ(FieldNames(table), Names(firstField[p], lastField[p]));
    EXPECT_EQ(Little32(table, 4), 2u);
    EXPECT_EQ(Little16(table, 8), 32 * count + 33);
    EXPECT_EQ(Little16(table, 10), 1 + count);
    const size_t records = 32 * count + 33;
    EXPECT_EQ(std::string(table.begin() + records, table.end()),
              " " + std::string(count, 'a') + " " + std::string(count, 'b') + "\x1A");
  }
  EXPECT_EQ(recorder.Messages(),
            (std::vector<std::string>{"Analyzing the source file ...", "-", "Write DBF header ...", "Add 2 records.",
                                      "-", SplitMessage(parts[1], 255), "-", "Write DBF header ...", "Add 2 records.",
                                      "-", SplitMessage(parts[2], 255), "-", "Write DBF header ...", "Add 2 records."}));
  EXPECT_FALSE(std::filesystem::exists(dir.File("t_3.dbf")));
}

TEST(RepairSplit, WithoutSplittingOneTableHoldsAllFields) {
  TempDir dir;
  const Bytes source = WideTable(2).Build();
  WriteWholeFile(dir.File("s.dbf"), source);
  EXPECT_EQ(RunRepair(dir.File("s.dbf"), dir.File("t.dbf"), MendrelPackOptions(0, 0, 255), nullptr), 1);
  EXPECT_EQ(ReadWholeFile(dir.File("t.dbf")), source);
  EXPECT_FALSE(std::filesystem::exists(dir.File("t_1.dbf")));
}

TEST(RepairSplit, AStopDuringCopyingLeavesLaterPartsWithHeadersAndNoRecords) {
  TempDir dir;
  WideTable(3).WriteTo(dir.File("s.dbf"));
  EventRecorder recorder;
  // 601 queries while scanning 600 descriptors, then one per record.
  recorder.stopWhen = [](int query) { return query >= 603; };
  EXPECT_EQ(RunRepair(dir.File("s.dbf"), dir.File("t.dbf"), kSplit255, &recorder), 1);

  const Bytes first = ReadWholeFile(dir.File("t.dbf"));
  EXPECT_EQ(Little32(first, 4), 1u);
  EXPECT_EQ(first.size(), 32u * 255 + 33 + 256 + 1);
  for (const char* name : {"t_1.dbf", "t_2.dbf"}) {
    const Bytes part = ReadWholeFile(dir.File(name));
    EXPECT_EQ(Little32(part, 4), 0u);
    EXPECT_EQ(part.size(), Little16(part, 8) + 1u) << name;
    EXPECT_EQ(part.back(), 0x1A);
  }
  const std::vector<std::string> messages = recorder.Messages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "Add 1 records."), 1);
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "Add 0 records."), 2);
  EXPECT_EQ(recorder.events.back(), Progress(100));
}

TEST(RepairSplit, AnOutputWithoutExtensionNumbersPartsAndMemoFilesAfterIt) {
  TempDir dir;
  TableBuilder()
      .Field("A", 'C', 1)
      .Field("NOTE", 'M', 10)
      .Field("B", 'C', 1)
      .Record("x" + MemoPointerText(0) + "y")
      .WriteTo(dir.File("s.dbf"));
  EXPECT_EQ(RunRepair(dir.File("s.dbf"), dir.File("out"), MendrelPackOptions(MENDREL_OPT_SPLIT_TABLE, 0, 1), nullptr),
            1);
  for (const char* name : {"out", "out.DBT", "out_1", "out_1.DBT", "out_2", "out_2.DBT"})
    EXPECT_TRUE(std::filesystem::exists(dir.File(name))) << name;
  EXPECT_EQ(FieldNames(ReadWholeFile(dir.File("out_2"))), std::vector<std::string>{"B"});
  EXPECT_EQ(ReadWholeFile(dir.File("out_2.DBT")).size(), 512u);  // a part without memo fields gets one too
}
