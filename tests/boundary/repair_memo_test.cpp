// Tables with memo fields: the memo data moves into a new, compact memo file per output.
#include <gtest/gtest.h>

#include "event_recorder.h"
#include "memo_builder.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_test;

namespace {

const uint32_t kReadMemo = MENDREL_OPT_READ_SRC_MEMO | MENDREL_OPT_IGNORE_ALL_ZERO_MEMO;

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string RecordArea(const Bytes& table) { return std::string(table.begin() + Little16(table, 8), table.end()); }

// Repairs s.dbf (with its memo file, when given) into o.dbf.
class MemoRepair {
 public:
  MemoRepair(const TableBuilder& table, const MemoBuilder* memo, const std::string& memoName, uint32_t options) {
    table.WriteTo(dir.File("s.dbf"));
    if (memo != nullptr) memo->WriteTo(dir.File(memoName));
    result = RunRepair(dir.File("s.dbf"), dir.File("o.dbf"), options, nullptr);
  }
  Bytes Table() const { return ReadWholeFile(dir.File("o.dbf")); }
  std::string Memo(const char* name) const { return Text(ReadWholeFile(dir.File(name))); }

  TempDir dir;
  int32_t result = 0;
};

const std::string kLong(700, 'L');  // two blocks of 512 bytes

}  // namespace

TEST(RepairMemo, DbaseThreeMemosAreRenumberedIntoANewDbt) {
  const MemoBuilder memo = MemoBuilder::Dbt().Dbase3(3, kLong).Dbase3(7, "short");
  TableBuilder table;
  table.Version(0x83).Field("NOTE", 'M', 10).Record(MemoPointerText(7)).Record(MemoPointerText(3)).Record(
      MemoPointerText(0));
  MemoRepair repair(table, &memo, "s.dbt", kReadMemo);
  ASSERT_EQ(repair.result, 1);
  EXPECT_EQ(RecordArea(repair.Table()),
            " " + MemoPointerText(1) + " " + MemoPointerText(2) + " " + std::string(10, ' ') + "\x1A");
  EXPECT_EQ(repair.Memo("o.dbt"), DbtHeader(4) + Dbase3Memo("short") + Dbase3Memo(kLong));
  EXPECT_EQ(static_cast<uint8_t>(repair.Table()[0]), 0x83);
}

TEST(RepairMemo, DbaseFourMemosKeepTheirLayout) {
  const MemoBuilder memo = MemoBuilder::Dbt(1024).Dbase4(2, "four");
  TableBuilder table;
  table.Version(0x8B).Field("NOTE", 'M', 10).Record(MemoPointerText(2));
  MemoRepair repair(table, &memo, "S.DBT", kReadMemo);  // found without regard to case
  EXPECT_EQ(RecordArea(repair.Table()), " " + MemoPointerText(1) + "\x1A");
  EXPECT_EQ(repair.Memo("o.dbt"), DbtHeader(2) + Dbase4Memo("four"));
}

TEST(RepairMemo, FoxProMemosMoveFromSmallBlocksToBlocksOf512) {
  const MemoBuilder memo = MemoBuilder::Fpt(64).Fox(8, 1, "text").Fox(9, 0, "picture");
  TableBuilder table;
  table.Version(0xF5).Field("NOTE", 'M', 10).Field("PIC", 'G', 10).Record(MemoPointerText(8) + MemoPointerText(9));
  MemoRepair repair(table, &memo, "s.fpt", kReadMemo);
  EXPECT_EQ(RecordArea(repair.Table()), " " + MemoPointerText(1) + MemoPointerText(2) + "\x1A");
  EXPECT_EQ(repair.Memo("o.fpt"), FptHeader(3) + FoxMemo(1, "text") + FoxMemo(0, "picture"));
}

TEST(RepairMemo, VisualFoxProBinaryPointersStayBinary) {
  const MemoBuilder memo = MemoBuilder::Fpt(64).Fox(8, 1, "vfp memo");
  TableBuilder table;
  table.Version(0x30).Field("ID", 'I', 4).Field("NOTE", 'M', 4).Record("\x01\x02\x03\x04" + LittleEndian32(8)).Record(
      std::string(4, '\0') + LittleEndian32(0));
  MemoRepair repair(table, &memo, "s.FPT", kReadMemo);
  const Bytes repaired = repair.Table();
  EXPECT_EQ(repaired[0], 0x30);
  EXPECT_EQ(repaired[28], 0x02);
  EXPECT_EQ(RecordArea(repaired),
            " \x01\x02\x03\x04" + LittleEndian32(1) + " " + std::string(4, '\0') + LittleEndian32(0) + "\x1A");
  EXPECT_EQ(repair.Memo("o.fpt"), FptHeader(2) + FoxMemo(1, "vfp memo"));
}

TEST(RepairMemo, WithoutReadingTheSourceMemoPointersAreClearedAndTheMemoFileIsEmpty) {
  const MemoBuilder memo = MemoBuilder::Dbt().Dbase3(1, "unread");
  TableBuilder table;
  table.Field("NOTE", 'M', 10).Record(MemoPointerText(1));
  MemoRepair repair(table, &memo, "s.dbt", 0);
  EXPECT_EQ(static_cast<uint8_t>(repair.Table()[0]), 0x83);  // a table with a memo field
  EXPECT_EQ(RecordArea(repair.Table()), " " + std::string(10, ' ') + "\x1A");
  EXPECT_EQ(repair.Memo("o.dbt"), DbtHeader(1));
}

TEST(RepairMemo, AnAllZeroSourceMemoIsIgnoredAndAMissingOneIsNoError) {
  TableBuilder table;
  table.Field("NOTE", 'M', 10).Record(MemoPointerText(1));
  const MemoBuilder zeros = MemoBuilder::Dbt().TruncateTo(0).Raw(0, std::string(2048, '\0'));
  MemoRepair ignored(table, &zeros, "s.dbt", kReadMemo);
  EXPECT_EQ(RecordArea(ignored.Table()), " " + std::string(10, ' ') + "\x1A");

  MemoRepair missing(table, nullptr, "", kReadMemo);
  EXPECT_EQ(missing.result, 1);
  EXPECT_EQ(missing.Memo("o.dbt"), DbtHeader(1));
}

TEST(RepairMemo, AnFptHeaderThatLostItsBlockSizeIsReadByTheBlocksThePointersFind) {
  const std::string longMemo(600, 's');
  MemoBuilder memo = MemoBuilder::Fpt(512);
  memo.Raw(512, FoxMemo(1, "first") + FoxMemo(1, longMemo) + FoxMemo(0, "pic"));
  memo.Raw(0, std::string(512, '\0'));  // the memo header zeroed
  TableBuilder table;
  table.Version(0xF5).Field("NOTE", 'M', 10).Field("PIC", 'G', 10);
  table.Record(MemoPointerText(1) + MemoPointerText(4)).Record(MemoPointerText(2) + MemoPointerText(0));
  MemoRepair repair(table, &memo, "s.fpt", kReadMemo);
  EXPECT_EQ(repair.Memo("o.fpt"), FptHeader(5) + FoxMemo(1, "first") + FoxMemo(0, "pic") + FoxMemo(1, longMemo));
}
