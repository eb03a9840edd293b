// The pieces of tessaly-cli that need no engine: argument parsing, output names,
// log texts.
#include <gtest/gtest.h>

#include "command_line.h"
#include "fixed_file_name.h"
#include "log_format.h"

using namespace tessaly_cli;

namespace {

CommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

}  // namespace

TEST(CommandLine, RepairDefaultsAreTheDesktopDefaults) {
  const CommandLine line = Parse({"repair", "t.dbf"});
  ASSERT_EQ(line.kind, CommandKind::kRepair);
  EXPECT_EQ(line.repair.OptionWord(), 0x00FF001Fu);
  EXPECT_EQ(line.repair.sources, std::vector<std::string>{"t.dbf"});
  EXPECT_TRUE(line.repair.output.empty());
  EXPECT_FALSE(line.repair.overwrite);
}

TEST(CommandLine, EveryRepairOptionReachesTheOptionWord) {
  const CommandLine off = Parse({"repair", "--no-recover-deleted", "--no-repair-date", "--no-split",
                                 "--no-read-memo", "--no-ignore-zero-memo", "--max-fields=300",
                                 "--version", "vfp", "t.dbf", "-o", "out.dbf", "--overwrite"});
  EXPECT_EQ(off.repair.OptionWord(), MendrelPackOptions(0, MENDREL_VERSION_VISUAL_FOXPRO, 300));
  EXPECT_EQ(off.repair.output, "out.dbf");
  EXPECT_EQ(Parse({"repair", "--template", "sound.dbf", "t.dbf"}).repair.templatePath, "sound.dbf");
  EXPECT_TRUE(off.repair.overwrite);
  const CommandLine on = Parse({"repair", "--no-split", "--split", "--version=dbase4", "t.dbf"});
  EXPECT_EQ(on.repair.OptionWord(), MendrelPackOptions(0x1F, MENDREL_VERSION_DBASE4, 255));
}

TEST(CommandLine, JobsDefaultToTheCores) {
  EXPECT_EQ(Parse({"repair", "-j", "3", "a"}).repair.Jobs(), 3u);
  EXPECT_EQ(Parse({"repair", "-j4", "a"}).repair.Jobs(), 4u);
  EXPECT_EQ(Parse({"repair", "--jobs=256", "a"}).repair.Jobs(), 256u);
  EXPECT_GE(Parse({"repair", "a"}).repair.Jobs(), 1u);
}

TEST(CommandLine, AfterDoubleDashEverythingIsASource) {
  const CommandLine line = Parse({"repair", "--", "--help", "-o"});
  EXPECT_EQ(line.repair.sources, (std::vector<std::string>{"--help", "-o"}));
}

TEST(CommandLine, ShowTakesOneTableAndALimit) {
  const CommandLine line = Parse({"show", "t.dbf", "--limit", "5"});
  ASSERT_EQ(line.kind, CommandKind::kShow);
  EXPECT_EQ(line.show.table, "t.dbf");
  EXPECT_EQ(line.show.limit, 5u);
  EXPECT_FALSE(line.show.csv);
  EXPECT_EQ(line.show.codePage, 437u);
  const CommandLine csv = Parse({"show", "--csv", "t.dbf", "--codepage=866"});
  EXPECT_TRUE(csv.show.csv);
  EXPECT_EQ(csv.show.codePage, 866u);
  EXPECT_EQ(Parse({"repair", "x", "--help"}).kind, CommandKind::kHelp);
}

TEST(CommandLine, RejectsWhatCannotBeRun) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"mend", "t.dbf"},
      {"repair"},
      {"repair", "a.dbf", "b.dbf", "-o", "c.dbf"},
      {"repair", "t.dbf", "-o"},
      {"repair", "t.dbf", "--max-fields", "0"},
      {"repair", "t.dbf", "--max-fields", "32768"},
      {"repair", "t.dbf", "--max-fields", "12a"},
      {"repair", "t.dbf", "--version", "dbase7"},
      {"repair", "t.dbf", "--template"},
      {"repair", "--template=", "t.dbf"},
      {"repair", "t.dbf", "--frobnicate"},
      {"repair", "t.dbf", "--overwrite=yes"},
      {"repair", "t.dbf", "-j", "0"},
      {"repair", "t.dbf", "--jobs=257"},
      {"repair", "t.dbf", "-jx"},
      {"repair", "t.dbf", "-j"},
      {"show"},
      {"show", "a.dbf", "b.dbf"},
      {"show", "a.dbf", "--limit", "-1"},
      {"--version", "t.dbf"},
      {"show", "a.dbf", "--codepage", "65001"},
      {"show", "a.dbf", "--codepage", "cp866"},
      {"show", "a.dbf", "--csv=yes"},
  };
  for (const auto& args : bad) {
    EXPECT_THROW(ParseCommandLine(args), UsageError) << ::testing::PrintToString(args);
  }
}

TEST(FixedFileName, InsertsFixedBeforeTheExtensionOfTheNameOnly) {
  EXPECT_EQ(MakeFixedFileName("/data/sales.dbf"), "/data/sales_fixed.dbf");
  EXPECT_EQ(MakeFixedFileName("/data/sales"), "/data/sales_fixed");
  EXPECT_EQ(MakeFixedFileName("/data/old.files/sales"), "/data/old.files/sales_fixed");
  EXPECT_EQ(MakeFixedFileName("SALES.DBF"), "SALES_fixed.DBF");
  EXPECT_EQ(MakeFixedFileName("a.b.dbf"), "a.b_fixed.dbf");
#ifdef _WIN32
  EXPECT_EQ(MakeFixedFileName("C:\\old.files\\sales"), "C:\\old.files\\sales_fixed");
  EXPECT_EQ(MakeFixedFileName("C:sales.dbf"), "C:sales_fixed.dbf");
  EXPECT_EQ(MakeFixedFileName("C:\\old.files/sales.dbf"), "C:\\old.files/sales_fixed.dbf");
#endif
  EXPECT_TRUE(HasExtension("/x/setup.ExE", ".EXE"));
  EXPECT_FALSE(HasExtension("/x.exe/setup", ".EXE"));
}

TEST(LogFormat, ConsumedTimeDropsWholeDaysAndLeadingZeros) {
  using std::chrono::milliseconds;
  EXPECT_EQ(FormatConsumedTime(milliseconds(65042)),
            "Consumed time: 0 hour(s) 1 minute(s) 5 second(s) 42 millisecond(s).");
  EXPECT_EQ(FormatConsumedTime(milliseconds((24 + 3) * 3600000LL + 7)),
            "Consumed time: 3 hour(s) 0 minute(s) 0 second(s) 7 millisecond(s).");
}

TEST(LogFormat, GroupsThousands) {
  EXPECT_EQ(GroupThousands(0, ","), "0");
  EXPECT_EQ(GroupThousands(999, ","), "999");
  EXPECT_EQ(GroupThousands(1002, ","), "1,002");
  EXPECT_EQ(GroupThousands(1234567890123ULL, "."), "1.234.567.890.123");
}
