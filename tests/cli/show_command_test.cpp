// tessaly-cli show, run as a program: values come through the engine's display entries.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_process.h"
#include "memo_builder.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_cli_test;
using tessaly_test::MemoBuilder;
using tessaly_test::ReadWholeFile;
using tessaly_test::TableBuilder;
using tessaly_test::TempDir;
using tessaly_test::WriteWholeFile;
namespace fs = std::filesystem;

namespace {

std::string Int32(int32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
  return bytes;
}

// A FoxPro table t.dbf (NAME C6, NOTES M4 binary pointer, QTY I4) and its memo file,
// named T.FPT in upper case, with 64-byte blocks: a text memo and a picture.
void WriteFoxProTable(const TempDir& dir) {
  constexpr uint32_t kText = 8, kPicture = 9;  // right after the 512-byte header
  MemoBuilder::Fpt(64).Fox(kText, 1, "hello fox").Fox(kPicture, 0, "\x89PNG").WriteTo(dir.File("T.FPT"));
  TableBuilder()
      .Version(0x30)
      .Field("NAME", 'C', 6)
      .Field("NOTES", 'M', 4)
      .Field("QTY", 'I', 4)
      .Record("alpha " + Int32(kText) + Int32(42))
      .Record("beta  " + Int32(kPicture) + Int32(-7), '*')
      .Record("gamma " + Int32(0) + Int32(0))
      .WriteTo(dir.File("t.dbf"));
}

std::string ReadText(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(ShowCommand, ShowsTheRecordsRepairedFromTheBundledSample) {
  TempDir dir;
  const std::string samples = TESSALY_SAMPLES_DIR;
  ASSERT_EQ(RunCli({"repair", samples + "/customers.dbf", "-o", dir.File("customers_fixed.dbf")})
                .exitCode,
            0);
  const CliResult run = RunCli({"show", "customers_fixed.dbf"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, ReadText(std::string(TESSALY_EXPECTED_DIR) + "/sample_show.txt"));
}

TEST(ShowCommand, ReadsFoxProMemosBesideTheTableWhateverTheirCase) {
  TempDir dir;
  WriteFoxProTable(dir);
  const CliResult run = RunCli({"show", "t.dbf"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "Table: t.dbf\n"
            "Version: 0x30; Records: 3; Header: 129 bytes; Record: 15 bytes\n"
            "Memo file: T.FPT (block size 64)\n"
            "\n"
            "Fields:\n"
            "#  Name   Type  Length  Decimals\n"
            "1  NAME   C          6         0\n"
            "2  NOTES  M          4         0\n"
            "3  QTY    I          4         0\n"
            "\n"
            "Records:\n"
            "#  Del  NAME   NOTES      QTY\n"
            "1       alpha  hello fox   42\n"
            "2  *    beta   Picture     -7\n"
            "3       gamma               0\n");
}

TEST(ShowCommand, LimitShowsTheFirstRecordsAndCountsTheRest) {
  TempDir dir;
  WriteFoxProTable(dir);
  const CliResult run = RunCli({"show", "--limit", "1", "t.dbf"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const auto lines = SplitLines(run.out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 2], "1       alpha  hello fox   42");
  EXPECT_EQ(lines.back(), "(2 more records not shown)");
}

TEST(ShowCommand, RefusesWhatIsNotATable) {
  TempDir dir;
  WriteWholeFile(dir.File("notes.txt"), std::vector<char>(10, 'x'));
  const CliResult text = RunCli({"show", "notes.txt"}, dir.path());
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_EQ(text.out, "");
  EXPECT_EQ(text.err, "tessaly-cli: 'notes.txt' is not a valid table: the file is shorter than its header\n");
  const CliResult missing = RunCli({"show", "missing.dbf"}, dir.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "tessaly-cli: cannot open 'missing.dbf': No such file or directory\n");
}

TEST(ShowCommand, PrintsTheRecordsAsCsvWithWholeMemoTexts) {
  TempDir dir;
  WriteFoxProTable(dir);
  const CliResult run = RunCli({"show", "--csv", "t.dbf"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
#ifdef _WIN32
  const std::string end = "\n";  // the reader of the program's output on Windows takes CR LF as one line end
#else
  const std::string end = "\r\n";
#endif
  EXPECT_EQ(run.out, "NAME,NOTES,QTY" + end + "alpha,hello fox,42" + end + "beta,Picture,-7" + end + "gamma,,0" + end);
  const CliResult refused = RunCli({"show", "--csv", "--codepage", "65001", "t.dbf"}, dir.path());
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(SplitLines(refused.err).front(),
            "tessaly-cli: unknown code page '65001' (437, 737, 775, 850, 852, 855, 857, 860, 861, 862, 863, 864, 865, "
            "866, 869, 874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258)");
}
