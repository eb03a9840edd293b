// tessaly-cli repair -j: several tables at once, their logs whole and in the order of
// the sources, as one table after the other would print them.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "cli_process.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_cli_test;
using tessaly_test::ReadWholeFile;
using tessaly_test::TableBuilder;
using tessaly_test::TempDir;
namespace fs = std::filesystem;

namespace {

// Sources that fail, are refused, or read what an earlier source writes.
void WriteMixedSources(const TempDir& dir) {
  for (const char* stem : {"a", "b"}) {
    fs::copy_file(std::string(TESSALY_SAMPLES_DIR) + "/customers.dbf", dir.File(std::string(stem) + ".dbf"));
    fs::copy_file(std::string(TESSALY_SAMPLES_DIR) + "/customers.dbt", dir.File(std::string(stem) + ".dbt"));
  }
  std::ofstream(dir.File("tiny.dbf")) << "not a table";
  TableBuilder table;
  table.Field("", 'C', 6).Field("N", 'N', 4);
  for (int i = 0; i < 300; ++i) table.Record("abcdef  12");
  table.WriteTo(dir.File("nameless.dbf"));
}

const std::vector<std::string> kMixedSources = {"a.dbf", "missing.dbf", "b.dbf", "a.dbf",
                                                "a_fixed.dbf", "tiny.dbf", "nameless.dbf", "b.dbf"};

// A big table of one 40-byte field, so that its repair is still copying when stopped.
void WriteBigTable(const std::string& path, uint32_t records) {
  std::ofstream table(path, std::ios::binary);
  const auto head = TableBuilder().Field("TEXT", 'C', 40).NoEndMark().Build();
  table.write(head.data(), static_cast<std::streamsize>(head.size()));
  std::string block;
  for (int i = 0; i < 10000; ++i) block += " " + std::string(40, 'x');
  for (uint32_t i = 0; i < records / 10000; ++i) table << block;
}

bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 6000; ++i) {
    if (fs::exists(path) && fs::file_size(path) > 1000) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace

TEST(ParallelCli, PrintsWhatOneTableAfterTheOtherPrints) {
  TempDir inTurn, atOnce;
  WriteMixedSources(inTurn);
  WriteMixedSources(atOnce);
  std::vector<std::string> args = {"repair", "-j", "1"};
  args.insert(args.end(), kMixedSources.begin(), kMixedSources.end());
  const CliResult one = RunCli(args, inTurn.path());
  args[1] = "--jobs=3";
  args.erase(args.begin() + 2);
  const CliResult three = RunCli(args, atOnce.path());

  EXPECT_EQ(one.exitCode, 1);
  EXPECT_EQ(three.exitCode, one.exitCode);
  EXPECT_EQ(MaskElapsedTime(three.out), MaskElapsedTime(one.out));
  EXPECT_EQ(three.err, one.err);
  EXPECT_NE(one.out.find("4 file(s) repaired successfully"), std::string::npos) << one.out;
  for (const char* output : {"a_fixed.dbf", "a_fixed.dbt", "b_fixed.dbf", "a_fixed_fixed.dbf", "nameless_fixed.dbf"})
    EXPECT_EQ(ReadWholeFile(atOnce.File(output)), ReadWholeFile(inTurn.File(output))) << output;
}

TEST(ParallelCli, CtrlCStopsEveryRunningRepairAndStartsNoOther) {
#ifdef _WIN32
  GTEST_SKIP() << "a console Ctrl-C event cannot be sent to the child alone here";
#endif
  TempDir dir;
  constexpr uint32_t kRecords = 1000000;
  for (const char* name : {"one.dbf", "two.dbf", "three.dbf"}) WriteBigTable(dir.File(name), kRecords);
  CliProcess process({"repair", "-j2", "one.dbf", "two.dbf", "three.dbf"}, dir.path());
  ASSERT_TRUE(WaitForFile(dir.File("one_fixed.dbf")) && WaitForFile(dir.File("two_fixed.dbf")));
  ASSERT_TRUE(process.Interrupt());
  const CliResult run = process.Finish();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(fs::exists(dir.File("three_fixed.dbf")));
  const std::vector<std::string> lines = SplitLines(run.out);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "User aborts the repair process"), 2) << run.out;
  EXPECT_LT(run.out.find("one.dbf"), run.out.find("two.dbf"));
  for (const char* output : {"one_fixed.dbf", "two_fixed.dbf"}) {
    const uint32_t count = RecordCountOf(dir.File(output));
    EXPECT_LT(count, kRecords);
    EXPECT_EQ(fs::file_size(dir.File(output)), 65u + 41u * count + 1u) << output;
  }
  EXPECT_EQ(lines.back(), "0 file(s) repaired successfully");
}
