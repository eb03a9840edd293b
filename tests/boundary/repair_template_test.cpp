// Repairs through ordinal 11 with a template table: a sound table of the same structure
// whose header and field list stand in for the damaged source's.
#include <gtest/gtest.h>

#include <filesystem>

#include "event_recorder.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_test;

namespace {

const uint32_t kDesktopOptions = MendrelPackOptions(0x1F, MENDREL_VERSION_AUTO, 255);

// Fifteen fields: the header ends beyond byte 512, so zeroing 512 bytes spares the records.
TableBuilder Twin() {
  TableBuilder table;
  table.Version(0x03);
  for (int i = 0; i < 15; ++i) table.Field("F" + std::to_string(i), i % 2 == 0 ? 'C' : 'N', 3);
  for (int r = 0; r < 25; ++r) {
    std::string values;
    for (int i = 0; i < 15; ++i) values += i % 2 == 0 ? "r" + std::to_string(r % 10) + "c" : "  " + std::to_string(i % 10);
    table.Record(values, r % 7 == 3 ? '*' : ' ');
  }
  return table;
}

Bytes FirstBytesZeroed(Bytes table, size_t count) {
  std::fill_n(table.begin(), count, '\0');
  return table;
}

class TemplateRepair : public ::testing::Test {
 protected:
  void SetUp() override { Twin().WriteTo(dir.File("twin.dbf")); }

  int32_t Run(const Bytes& source, const std::string& templatePath) {
    WriteWholeFile(dir.File("s.dbf"), source);
    return RunRepairWithTemplate(dir.File("s.dbf"), dir.File("o.dbf"), kDesktopOptions, templatePath, &recorder);
  }

  Bytes TwinRepaired() {
    EXPECT_EQ(RunRepair(dir.File("twin.dbf"), dir.File("twin_o.dbf"), kDesktopOptions, nullptr), 1);
    return ReadWholeFile(dir.File("twin_o.dbf"));
  }

  TempDir dir;
  EventRecorder recorder;
};

}  // namespace

TEST_F(TemplateRepair, ATableWhoseFirst512BytesAreZeroedGetsItsTwinsRecords) {
  EXPECT_EQ(Run(FirstBytesZeroed(Twin().Build(), 512), dir.File("twin.dbf")), 1);
  EXPECT_EQ(ReadWholeFile(dir.File("o.dbf")), TwinRepaired());
  EXPECT_EQ(recorder.LogEvents(), (std::vector<Event>{SourceFile(dir.File("s.dbf")),
                                                      Message("Analyzing the source file ..."), Message("-"),
                                                      Message("Write DBF header ..."), Message("Add 25 records."),
                                                      Report("Record area: start=513 stride=46 offset=1 announced=0 "
                                                             "written=25 after=1"),
                                                      Report("0 records announced, 25 found"),
                                                      Report("4 deleted records written as live")}));
  // Without the template nothing of the table is left to scan.
  EXPECT_EQ(RunRepair(dir.File("s.dbf"), dir.File("p.dbf"), kDesktopOptions, nullptr), 0);
}

TEST_F(TemplateRepair, TheRecordsAreFoundWhereTheSourcesOwnHeaderPutThem) {
  TableBuilder padded = Twin();
  padded.ExtraHeaderBytes({'\0'});  // one byte more than the template's header
  EXPECT_EQ(Run(FirstBytesZeroed(padded.Build(), 512), dir.File("twin.dbf")), 1);
  const Bytes repaired = ReadWholeFile(dir.File("o.dbf"));
  EXPECT_EQ(Little16(repaired, 8), 32 * 15 + 33 + 1);
  EXPECT_EQ(Little32(repaired, 4), 25u);
}

TEST_F(TemplateRepair, ATemplateThatDoesNotScanCleanlyEndsTheRunNamingIt) {
  const std::string unsound = dir.File("unsound.dbf");
  WriteWholeFile(unsound, FirstBytesZeroed(Twin().Build(), 512));
  EXPECT_EQ(Run(Twin().Build(), unsound), 0);
  EXPECT_EQ(recorder.LogEvents().back(),
            Error("Error 5: The template table '" + unsound +
                  "' is not a sound table: its header and field list do not scan cleanly. Choose an undamaged "
                  "table of the same structure."));
  EXPECT_EQ(recorder.events.back(), Progress(100));
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.dbf")));

  EventRecorder missing;
  WriteWholeFile(dir.File("s.dbf"), Twin().Build());
  EXPECT_EQ(RunRepairWithTemplate(dir.File("s.dbf"), dir.File("o.dbf"), 0, dir.File("none.dbf"), &missing), 0);
  EXPECT_EQ(missing.LogEvents().back(),
            Error("Error 6: Cannot open the template table. " + dir.File("none.dbf") + " was not found."));
}

TEST_F(TemplateRepair, TemplatesThatAreNotSoundInOtherWays) {
  const auto refused = [this](const Bytes& candidate) {
    WriteWholeFile(dir.File("candidate.dbf"), candidate);
    EventRecorder quiet;
    WriteWholeFile(dir.File("s.dbf"), Twin().Build());
    return RunRepairWithTemplate(dir.File("s.dbf"), dir.File("o.dbf"), 0, dir.File("candidate.dbf"), &quiet) == 0;
  };
  EXPECT_TRUE(refused(Twin().HeaderLength(32 * 15 + 33 + 7).Build()));  // records not where the list ends
  EXPECT_TRUE(refused(Twin().RecordLength(99).Build()));
  Bytes noTerminator = Twin().Build();
  noTerminator[32 + 32 * 15] = ' ';
  EXPECT_TRUE(refused(noTerminator));
  EXPECT_TRUE(refused(Bytes(20, '\x03')));
  EXPECT_FALSE(refused(Twin().Build()));
}

TEST_F(TemplateRepair, TheTemplateIsNeverWritten) {
  const Bytes twin = ReadWholeFile(dir.File("twin.dbf"));
  WriteWholeFile(dir.File("s.dbf"), twin);
  EXPECT_EQ(RunRepairWithTemplate(dir.File("s.dbf"), dir.File("twin.dbf"), 0, dir.File("twin.dbf"), &recorder), 1);
  EXPECT_EQ(ReadWholeFile(dir.File("twin.dbf")), twin);
  EXPECT_EQ(recorder.LogEvents().back().code, EVT_ERROR);
}

TEST_F(TemplateRepair, ABlockTooSmallForItsSlotsIsRefusedAndNoTemplateIsAPlainRepair) {
  WriteWholeFile(dir.File("s.dbf"), Twin().Build());
  EXPECT_EQ(RunRepairWithTemplate(dir.File("s.dbf"), dir.File("o.dbf"), 0, dir.File("twin.dbf"), &recorder,
                                  sizeof(RepairArgsEx) - 1),
            0);
  EXPECT_TRUE(recorder.events.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.dbf")));
  EXPECT_EQ(MendrelRepairEx()(nullptr), 0);

  EXPECT_EQ(RunRepairWithTemplate(dir.File("s.dbf"), dir.File("o.dbf"), 0, "", nullptr), 1);
  EXPECT_EQ(ReadWholeFile(dir.File("o.dbf")), Twin().Build());
}
