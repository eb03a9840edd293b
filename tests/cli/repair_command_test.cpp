// tessaly-cli repair, run as a program on real files with the real engine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli_process.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_cli_test;
using tessaly_test::ReadWholeFile;
using tessaly_test::TableBuilder;
using tessaly_test::TempDir;
namespace fs = std::filesystem;

namespace {

const std::string kSeparator(56, '-');

void CopySample(const TempDir& dir, const std::string& stem = "customers") {
  fs::copy_file(std::string(TESSALY_SAMPLES_DIR) + "/customers.dbf", dir.File(stem + ".dbf"));
  fs::copy_file(std::string(TESSALY_SAMPLES_DIR) + "/customers.dbt", dir.File(stem + ".dbt"));
}

std::string ReadText(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(RepairCommand, WritesTheDesktopRepairLogForTheBundledSample) {
  TempDir dir;
  CopySample(dir);
  const CliResult run = RunCli({"repair", "customers.dbf"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(MaskElapsedTime(run.out), ReadText(std::string(TESSALY_EXPECTED_DIR) + "/sample_repair.log"));
  EXPECT_EQ(run.err, "");  // no progress bar when standard error is not a terminal
  EXPECT_EQ(RecordCountOf(dir.File("customers_fixed.dbf")), 12u);
  EXPECT_TRUE(fs::exists(dir.File("customers_fixed.dbt")));
  EXPECT_EQ(ReadWholeFile(dir.File("customers.dbf")),
            ReadWholeFile(std::string(TESSALY_SAMPLES_DIR) + "/customers.dbf"));
}

TEST(RepairCommand, RepairsSeveralSourcesEachBesideItself) {
  TempDir dir;
  fs::create_directory(dir.File("sub"));
  CopySample(dir, "first");
  fs::copy_file(dir.File("first.dbf"), dir.File("sub/SECOND.DBF"));
  fs::copy_file(dir.File("first.dbf"), dir.File("third"));
  const CliResult run = RunCli({"repair", "first.dbf", "sub/SECOND.DBF", "third"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  for (const char* output : {"first_fixed.dbf", "sub/SECOND_fixed.DBF", "third_fixed"}) {
    EXPECT_EQ(RecordCountOf(dir.File(output)), 12u) << output;
    EXPECT_NE(run.out.find("Output fixed file as: '" + std::string(output) + "'"),
              std::string::npos);
  }
  EXPECT_TRUE(fs::exists(dir.File("sub/SECOND_fixed.DBT")));
  EXPECT_TRUE(fs::exists(dir.File("third_fixed.DBT")));
  EXPECT_EQ(SplitLines(run.out).back(), "3 file(s) repaired successfully");
}

TEST(RepairCommand, RefusesToOverwriteAnExistingOutputUnlessAsked) {
  TempDir dir;
  CopySample(dir);
  std::ofstream(dir.File("out.dbf")) << "keep me";
  const CliResult refused = RunCli({"repair", "customers.dbf", "-o", "out.dbf"}, dir.path());
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(SplitLines(refused.out),
            (std::vector<std::string>{"Start repair process ...", kSeparator,
                                      "Repair process is aborted."}));
  EXPECT_NE(refused.err.find("'out.dbf' already exists"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("--overwrite"), std::string::npos);
  EXPECT_EQ(ReadText(dir.File("out.dbf")), "keep me");

  const CliResult replaced =
      RunCli({"repair", "--overwrite", "customers.dbf", "-o", "out.dbf"}, dir.path());
  EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
  EXPECT_EQ(RecordCountOf(dir.File("out.dbf")), 12u);
}

TEST(RepairCommand, FramesEngineErrorsAndExitsOneWhenAnySourceFails) {
  TempDir dir;
  CopySample(dir);
  const CliResult run = RunCli({"repair", "missing.dbf", "customers.dbf"}, dir.path());
  EXPECT_EQ(run.exitCode, 1);
  const auto lines = SplitLines(run.out);
  const auto error = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("Error 1: Cannot open the file to be repaired. ", 0) == 0;
  });
  ASSERT_NE(error, lines.end()) << run.out;
  EXPECT_EQ(*(error - 1), kSeparator);
  EXPECT_EQ(*(error + 1), kSeparator);
  EXPECT_NE(run.out.find("Fail to repair file 'missing.dbf'!"), std::string::npos);
  EXPECT_NE(run.out.find("File 'customers.dbf' has been repaired successfully!"), std::string::npos);
  EXPECT_EQ(lines.back(), "1 file(s) repaired successfully");
}

TEST(RepairCommand, PassesTheOptionsToTheEngine) {
  TempDir dir;
  CopySample(dir);
  const CliResult run = RunCli({"repair", "--no-recover-deleted", "--version", "vfp",
                                "--max-fields", "4", "customers.dbf", "-o", "out.dbf"},
                               dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const auto first = ReadWholeFile(dir.File("out.dbf"));
  ASSERT_GT(first.size(), 32u);
  EXPECT_EQ(static_cast<unsigned char>(first[0]), 0x30);  // Visual FoxPro
  EXPECT_EQ(RecordCountOf(dir.File("out_1.dbf")), 12u);    // fields 5 to 7
  EXPECT_NE(run.out.find("Create a split DBF file out_1.dbf as the field count in the table "
                         "reaches the maximum allowable value 4."),
            std::string::npos);
  const size_t headerLength = 32 + 4 * 32 + 1;
  const size_t recordLength = 1 + 4 + 20 + 12 + 8;
  ASSERT_GT(first.size(), headerLength + 2 * recordLength);
  EXPECT_EQ(first[headerLength + 2 * recordLength], '*');  // the deleted third record
}

TEST(RepairCommand, ATemplateGivesATableThatLostItsHeadItsFieldList) {
  TempDir dir;
  CopySample(dir);
  auto damaged = ReadWholeFile(dir.File("customers.dbf"));
  std::fill_n(damaged.begin(), 32 + 7 * 32, '\0');  // header and descriptors, up to the terminator
  tessaly_test::WriteWholeFile(dir.File("lost.dbf"), damaged);
  fs::copy_file(dir.File("customers.dbt"), dir.File("lost.dbt"));
  const CliResult run = RunCli({"repair", "--template", "customers.dbf", "lost.dbf", "-o", "out.dbf"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("Field list taken from the template table: 'customers.dbf'\n"), std::string::npos);
  EXPECT_EQ(RecordCountOf(dir.File("out.dbf")), 12u);
  EXPECT_EQ(ReadWholeFile(dir.File("out.dbf")), [&] {
    EXPECT_EQ(RunCli({"repair", "customers.dbf", "-o", "twin.dbf"}, dir.path()).exitCode, 0);
    return ReadWholeFile(dir.File("twin.dbf"));
  }());

  const CliResult unsound = RunCli({"repair", "--template", "lost.dbf", "customers.dbf", "-o", "x.dbf"}, dir.path());
  EXPECT_EQ(unsound.exitCode, 1);
  EXPECT_NE(unsound.out.find("Error 5: The template table 'lost.dbf' is not a sound table"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir.File("x.dbf")));
}

TEST(RepairCommand, CtrlCClosesThePartialTableWithItsTrueRecordCount) {
#ifdef _WIN32
  GTEST_SKIP() << "a console Ctrl-C event cannot be sent to the child alone here";
#endif
  TempDir dir;
  // A large table of one 40-byte field, so that the run is still copying on Ctrl-C.
  constexpr uint32_t kRecords = 2000000;
  {
    std::ofstream table(dir.File("big.dbf"), std::ios::binary);
    const auto head = TableBuilder().Field("TEXT", 'C', 40).NoEndMark().Build();
    table.write(head.data(), static_cast<std::streamsize>(head.size()));
    std::string block;
    for (int i = 0; i < 10000; ++i) block += " " + std::string(40, 'x');
    for (uint32_t i = 0; i < kRecords / 10000; ++i) table << block;
  }
  CliProcess process({"repair", "big.dbf"}, dir.path());
  ASSERT_TRUE(process.WaitForOutput("Write DBF header ..."));
  ASSERT_TRUE(process.Interrupt());
  const CliResult run = process.Finish();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("User aborts the repair process"), std::string::npos) << run.out;
  const uint32_t count = RecordCountOf(dir.File("big_fixed.dbf"));
  EXPECT_LT(count, kRecords);
  EXPECT_NE(run.out.find("Add " + std::to_string(count) + " records."), std::string::npos);
  EXPECT_EQ(fs::file_size(dir.File("big_fixed.dbf")), 65u + 41u * count + 1u);
}

TEST(RepairCommand, UsageErrorsExitTwoWithAMessageAndNoLog) {
  const CliResult run = RunCli({"repair", "a.dbf", "b.dbf", "-o", "c.dbf"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("tessaly-cli: -o names one output"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("--help"), std::string::npos);
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* option : {"--no-recover-deleted", "--no-repair-date", "--no-split",
                             "--max-fields", "--no-read-memo", "--no-ignore-zero-memo",
                             "--version", "--overwrite", "--limit"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}
