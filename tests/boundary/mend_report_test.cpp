// The mend report: counts of what a repair changed, sent after each "Add %lu records."
#include <gtest/gtest.h>

#include "damaged_tables.h"
#include "event_recorder.h"
#include "temp_dir.h"

using namespace tessaly_test;

namespace {

constexpr uint32_t kDefaultOptions = 0x00FF001B;
using Lines = std::vector<std::string>;

EventRecorder Repair(void (*write)(const TempDir&), uint32_t options = kDefaultOptions) {
  TempDir dir;
  write(dir);
  EventRecorder recorder;
  RunRepair(dir.File("s.dbf"), dir.File("o.dbf"), options, &recorder);
  return recorder;
}

Lines ReportOf(void (*write)(const TempDir&), uint32_t options = kDefaultOptions) {
  return Repair(write, options).ReportLines();
}

}  // namespace

TEST(MendReport, CountsEveryMendOfADamagedDbaseTableByFieldAndKind) {
  EXPECT_EQ(ReportOf(WriteDamagedDbaseTable),
            (Lines{"Record area: start=193 stride=34 offset=1 announced=5 written=5 after=1",
                   "5 records announced, 5 found",
                   "1 deleted record written as live",
                   "1 record with an unknown deletion flag written as live",
                   "BORN D: 2 dates mended",
                   "BORN D: date parts replaced: year 0, month 2, day 2",
                   "QTY N: 2 numbers mended",
                   "OK L: 1 logical value mended",
                   "NOTE M: 2 memos copied",
                   "NOTE M: 1 memo pointer cleared (block beyond the memo file)",
                   "NOTE M: 1 memo pointer cleared (memo unreadable)",
                   "NOTE M: 1 memo pointer cleared (not a block number)"}));
}

TEST(MendReport, FollowsTheOptionsThatChangeWhatIsMended) {
  const Lines kept = ReportOf(WriteDamagedDbaseTable, kDefaultOptions & ~(MENDREL_OPT_RECOVER_DELETED |
                                                                          MENDREL_OPT_REPAIR_DATE |
                                                                          MENDREL_OPT_READ_SRC_MEMO));
  // Without date repair only the NULs after "2005" become spaces; the deleted record stays deleted.
  EXPECT_EQ(kept, (Lines{"Record area: start=193 stride=34 offset=1 announced=5 written=5 after=1",
                         "5 records announced, 5 found",
                         "1 record with an unknown deletion flag written as live",
                         "BORN D: 1 date mended",
                         "QTY N: 2 numbers mended",
                         "OK L: 1 logical value mended",
                         "NOTE M: 4 memo pointers cleared (memo file not read)",
                         "NOTE M: 1 memo pointer cleared (not a block number)"}));
  EXPECT_EQ(ReportOf(WriteTableWithoutItsMemoFile).back(), "NOTE M: 2 memo pointers cleared (memo file missing)");
}

TEST(MendReport, TellsTheRecordsACutTableLost) {
  EXPECT_EQ(ReportOf(WriteCutTable), (Lines{"Record area: start=97 stride=40 offset=1 announced=67 written=40 after=20",
                                            "67 records announced, 40 found",
                                            "20 bytes after the last whole record"}));
  EXPECT_EQ(ReportOf(WriteTableWithBytesAfterItsEndMark),
            (Lines{"Record area: start=65 stride=6 offset=1 announced=10 written=12 after=2",
                   "10 records announced, 12 found", "2 records with an unknown deletion flag written as live",
                   "2 bytes after the last whole record", "VAL N: 1 number mended"}));
}

TEST(MendReport, TellsWhyBinaryMemoPointersWereCleared) {
  EXPECT_EQ(ReportOf(WriteDamagedFoxProTable),
            (Lines{"Record area: start=129 stride=15 offset=1 announced=3 written=3 after=1",
                   "3 records announced, 3 found", "NOTE M: 1 memo copied",
                   "NOTE M: 1 memo pointer cleared (block beyond the memo file)",
                   "NOTE M: 1 memo pointer cleared (memo unreadable)"}));
}

TEST(MendReport, EachPartOfASplitTableReportsItsOwnFieldsRightAfterItsRecordCount) {
  const EventRecorder recorder = Repair(WriteSevenFieldTable, MendrelPackOptions(0x1F, 0, 3));
  Lines log;
  for (const Event& event : recorder.LogEvents())
    if (event.code == EVT_MEND_REPORT || event.text.rfind("Add", 0) == 0) log.push_back(event.text);
  EXPECT_EQ(log, (Lines{"Add 4 records.", "Record area: start=257 stride=15 offset=1 announced=4 written=4 after=1",
                        "4 records announced, 4 found",
                        "Add 4 records.", "Record area: start=257 stride=15 offset=7 announced=4 written=4 after=1",
                        "4 records announced, 4 found", "F5 N: 1 number mended",
                        "Add 4 records.", "Record area: start=257 stride=15 offset=13 announced=4 written=4 after=1",
                        "4 records announced, 4 found"}));
  const std::vector<Event> events = recorder.LogEvents();
  for (size_t i = 1; i < events.size(); ++i) {
    const bool follows = events[i - 1].code == EVT_MEND_REPORT || events[i - 1].text.rfind("Add", 0) == 0;
    EXPECT_TRUE(events[i].code != EVT_MEND_REPORT || follows) << i;
  }
}
