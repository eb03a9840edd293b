// Tables of the Visual FoxPro family (0x30, 0x31, 0x32): system fields, the types stored
// in the record and blobs kept in the memo file.
#include <gtest/gtest.h>

#include <filesystem>

#include "event_recorder.h"
#include "memo_builder.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_test;

namespace {

const uint32_t kReadMemo = MENDREL_OPT_READ_SRC_MEMO | MENDREL_OPT_IGNORE_ALL_ZERO_MEMO;
const Bytes kBackLink(263, '\0');

Descriptor NullFlags() {
  Descriptor d = MakeDescriptor("_NullFlags", '0', 1);
  d[18] = 0x05;  // system field, may hold nulls
  return d;
}

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Everything after the 32-byte header: descriptors, terminator, back-link, records.
std::string AfterHeader(const Bytes& table) { return std::string(table.begin() + 32, table.end()); }

}  // namespace

TEST(RepairVisualFoxPro, KeepsTheNullFlagsSystemFieldAndEveryRecord) {
  TableBuilder table;
  table.Version(0x31).Field("NAME", 'C', 5).Field("AGE", 'I', 4).RawDescriptor(NullFlags()).ExtraHeaderBytes(kBackLink);
  for (const char* name : {"Alice", "Bob  ", "Carol"}) table.Record(name + std::string("\x01\0\0\0\x02", 5));
  TempDir dir;
  table.WriteTo(dir.File("s.dbf"));
  ASSERT_EQ(RunRepair(dir.File("s.dbf"), dir.File("o.dbf"), 0, nullptr), 1);
  const Bytes repaired = ReadWholeFile(dir.File("o.dbf"));
  EXPECT_EQ(AfterHeader(repaired), AfterHeader(table.Build()));
  EXPECT_EQ(Little16(repaired, 10), 11);
  EXPECT_EQ(Little32(repaired, 4), 3u);
}

TEST(RepairVisualFoxPro, AVarcharTableKeepsItsStoredTypesAndMovesFourByteBlobsIntoAnFpt) {
  const std::string dbl("\0\0\0\0\0\0\xF8\x3F", 8);  // 1.5
  const std::string varbinary("\x00\x7F\xFF\x01", 4);
  const MemoBuilder memo = MemoBuilder::Fpt(64).Fox(8, 2, "blob bytes");
  TableBuilder table;
  table.Version(0x32).Field("RATE", 'B', 8).Field("RAW", 'Q', 4).Field("NAME", 'V', 6).Field("PIC", 'W', 4)
      .Field("NOTE", 'W', 6).RawDescriptor(NullFlags()).ExtraHeaderBytes(kBackLink)
      .Record(dbl + varbinary + "Smith\x05" + LittleEndian32(8) + "inline" + "\x04");
  TempDir dir;
  table.WriteTo(dir.File("s.dbf"));
  memo.WriteTo(dir.File("s.fpt"));
  ASSERT_EQ(RunRepair(dir.File("s.dbf"), dir.File("o.dbf"), kReadMemo, nullptr), 1);
  const Bytes repaired = ReadWholeFile(dir.File("o.dbf"));
  EXPECT_EQ(static_cast<uint8_t>(repaired[0]), 0x32);
  EXPECT_EQ(repaired[28], 0x06);  // memo and extra header bytes
  const std::string records = Text(repaired).substr(Little16(repaired, 8));
  EXPECT_EQ(records, " " + dbl + varbinary + "Smith\x05" + LittleEndian32(1) + "inline" + "\x04" + "\x1A");
  EXPECT_EQ(Text(ReadWholeFile(dir.File("o.fpt"))), FptHeader(2) + FoxMemo(2, "blob bytes"));
}

TEST(RepairVisualFoxPro, TheFamilyChoosesAnFptWhenNoMemoFileIsBesideTheTable) {
  TableBuilder table;
  table.Version(0x32).Field("PIC", 'W', 4).Record(LittleEndian32(3));
  TempDir dir;
  table.WriteTo(dir.File("s.dbf"));
  ASSERT_EQ(RunRepair(dir.File("s.dbf"), dir.File("o.dbf"), kReadMemo, nullptr), 1);
  EXPECT_TRUE(std::filesystem::exists(dir.File("o.fpt")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.dbt")));
}

TEST(RepairVisualFoxPro, OutsideTheFamilyAVarcharIsStillAMemoPointer) {
  TableBuilder table;
  table.Version(0x03).Field("NAME", 'V', 10).Record("     Smith");
  TempDir dir;
  table.WriteTo(dir.File("s.dbf"));
  ASSERT_EQ(RunRepair(dir.File("s.dbf"), dir.File("o.dbf"), kReadMemo, nullptr), 1);
  const Bytes repaired = ReadWholeFile(dir.File("o.dbf"));
  EXPECT_EQ(static_cast<uint8_t>(repaired[0]), 0x83);
  EXPECT_EQ(Text(repaired).substr(Little16(repaired, 8)), " " + std::string(10, ' ') + "\x1A");
}
