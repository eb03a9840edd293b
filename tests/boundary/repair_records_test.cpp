// The record area: fixed stride to the end of the source, flags, short and extra records.
#include <gtest/gtest.h>

#include "event_recorder.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_test;

namespace {

constexpr uint32_t kRecoverDeleted = MENDREL_OPT_RECOVER_DELETED;

// Two fields of 20 bytes in all.
TableBuilder TwentyByteRecords(int count) {
  TableBuilder table;
  table.Field("CODE", 'C', 12).Field("QTY", 'N', 8);
  for (int i = 0; i < count; ++i) {
    const std::string code = "item" + std::to_string(i);
    table.Record(code + std::string(12 - code.size(), ' ') + std::string(7, ' ') + std::to_string(i % 10));
  }
  return table;
}

struct Repaired {
  int32_t result;
  Bytes table;
  EventRecorder recorder;
};

Repaired Repair(const Bytes& source, uint32_t options = 0) {
  TempDir dir;
  WriteWholeFile(dir.File("s.dbf"), source);
  Repaired repaired;
  repaired.result = RunRepair(dir.File("s.dbf"), dir.File("o.dbf"), options, &repaired.recorder);
  repaired.table = ReadWholeFile(dir.File("o.dbf"));
  return repaired;
}

std::string RecordArea(const Bytes& table) {
  return std::string(table.begin() + Little16(table, 8), table.end());
}

}  // namespace

TEST(RepairRecords, TenRecordsAndAnEndMarkGiveTenRecords) {
  Repaired repaired = Repair(TwentyByteRecords(10).Build());
  EXPECT_EQ(Little32(repaired.table, 4), 10u);
  EXPECT_EQ(repaired.table, TwentyByteRecords(10).Build());
  EXPECT_EQ(repaired.recorder.Messages().back(), "Add 10 records.");
}

TEST(RepairRecords, BytesAfterTheEndMarkMakeAnotherRecord) {
  Repaired repaired = Repair(TwentyByteRecords(10).Trailer({'1', '2', '3', '4', '5', '6', '7'}).Build());
  EXPECT_EQ(Little32(repaired.table, 4), 11u);
  const std::string records = RecordArea(repaired.table);
  ASSERT_EQ(records.size(), 11u * 21 + 1);
  EXPECT_EQ(records.substr(210), " 1234567     " + std::string(8, ' ') + "\x1A");
  EXPECT_EQ(repaired.recorder.Messages().back(), "Add 11 records.");
}

TEST(RepairRecords, AnEndMarkInsideTheRecordAreaIsReadAsAFlag) {
  TableBuilder table = TwentyByteRecords(2);
  table.Record("after       12345678", 0x1A);
  Repaired repaired = Repair(table.Build());
  EXPECT_EQ(Little32(repaired.table, 4), 3u);
  EXPECT_EQ(RecordArea(repaired.table).substr(42), " after       12345678\x1A");
}

TEST(RepairRecords, AShortLastRecordIsKeptWithSpaces) {
  Repaired repaired = Repair(TwentyByteRecords(1).NoEndMark().Trailer({' ', 'a', 'b', 'c'}).Build());
  EXPECT_EQ(Little32(repaired.table, 4), 2u);
  EXPECT_EQ(RecordArea(repaired.table).substr(21), " abc" + std::string(17, ' ') + "\x1A");
}

TEST(RepairRecords, DeletedFlagsFollowTheOptionAndOddFlagsBecomeLive) {
  TableBuilder table;
  table.Field("A", 'C', 1).Record("x", '*').Record("y", 0x00).Record("z", ' ');
  EXPECT_EQ(RecordArea(Repair(table.Build()).table), "*x y z\x1A");
  EXPECT_EQ(RecordArea(Repair(table.Build(), kRecoverDeleted).table), " x y z\x1A");
}

TEST(RepairRecords, FieldValuesAreMendedOnTheWay) {
  TableBuilder table;
  table.Field("OK", 'L', 1).Field("WHEN", 'D', 8).Record("X20050229");
  EXPECT_EQ(RecordArea(Repair(table.Build(), MENDREL_OPT_REPAIR_DATE).table), " ?20050201\x1A");
}

TEST(RepairRecords, ASourceEndingAfterItsDescriptorsGivesAnEmptyTable) {
  Bytes source = TwentyByteRecords(0).Build();
  source.pop_back();  // no end mark either
  Repaired repaired = Repair(source);
  EXPECT_EQ(repaired.result, 1);
  EXPECT_EQ(Little32(repaired.table, 4), 0u);
  EXPECT_EQ(RecordArea(repaired.table), "\x1A");
  EXPECT_EQ(repaired.recorder.Messages().back(), "Add 0 records.");
}

TEST(RepairRecords, FieldsOfLengthZeroReadNoRecord) {
  TableBuilder table;
  table.Field("A", 'C', 0).Field("B", 'N', 0).RecordLength(0).Record("").Record("");
  Repaired repaired = Repair(table.Build());
  ASSERT_EQ(repaired.result, 1);
  EXPECT_EQ(Little32(repaired.table, 4), 0u);
  EXPECT_EQ(repaired.recorder.Messages().back(), "Add 0 records.");
}

TEST(RepairRecords, ExtraHeaderBytesAreCopiedAndTheRecordsFollowThem) {
  Bytes backLink(263, 0);
  backLink[0] = 'x';
  Repaired repaired = Repair(TwentyByteRecords(2).Version(0x30).ExtraHeaderBytes(backLink).Build());
  EXPECT_EQ(Little16(repaired.table, 8), 32 * 2 + 33 + 263);
  EXPECT_EQ(repaired.table[28], 0x04);
  EXPECT_EQ(std::string(repaired.table.begin() + 97, repaired.table.begin() + 97 + 263),
            std::string(backLink.begin(), backLink.end()));
  EXPECT_EQ(Little32(repaired.table, 4), 2u);
}
