// tessaly-cli show, run as a program: values come through the engine's display entries.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_process.h"
#include "temp_dir.h"

using namespace tessaly_cli_test;
using tessaly_test::ReadWholeFile;
using tessaly_test::TempDir;
using tessaly_test::WriteWholeFile;
namespace fs = std::filesystem;

namespace {

void PutLittleEndian(std::vector<char>& bytes, size_t at, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

void PutBigEndian(std::vector<char>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * (3 - i)));
}

std::vector<char> Descriptor(const std::string& name, char type, int length) {
  std::vector<char> bytes(32, 0);
  std::copy(name.begin(), name.end(), bytes.begin());
  bytes[11] = type;
  bytes[16] = static_cast<char>(length);
  return bytes;
}

// A FoxPro table t.dbf (NAME C6, NOTES M4 binary pointer, QTY I4) and its memo file,
// named T.FPT in upper case, with 64-byte blocks: a text memo and a picture.
void WriteFoxProTable(const TempDir& dir) {
  std::vector<char> table(32, 0);
  table[0] = 0x30;
  PutLittleEndian(table, 4, 3, 4);
  PutLittleEndian(table, 8, 32 + 3 * 32 + 1, 2);
  PutLittleEndian(table, 10, 15, 2);
  for (const auto& d : {Descriptor("NAME", 'C', 6), Descriptor("NOTES", 'M', 4),
                        Descriptor("QTY", 'I', 4)}) {
    table.insert(table.end(), d.begin(), d.end());
  }
  table.push_back(0x0D);
  const struct { char flag; const char* name; uint32_t memo; int32_t qty; } rows[] = {
      {' ', "alpha ", 1, 42}, {'*', "beta  ", 2, -7}, {' ', "gamma ", 0, 0}};
  for (const auto& row : rows) {
    std::vector<char> record(15, 0);
    record[0] = row.flag;
    std::copy(row.name, row.name + 6, record.begin() + 1);
    PutLittleEndian(record, 7, row.memo, 4);
    PutLittleEndian(record, 11, static_cast<uint32_t>(row.qty), 4);
    table.insert(table.end(), record.begin(), record.end());
  }
  table.push_back(0x1A);
  WriteWholeFile(dir.File("t.dbf"), table);

  std::vector<char> memo(3 * 64, ' ');
  std::fill(memo.begin(), memo.begin() + 64, 0);
  PutBigEndian(memo, 0, 3);
  memo[6] = 0, memo[7] = 64;
  const std::string text = "hello fox";
  PutBigEndian(memo, 64, 1);
  PutBigEndian(memo, 68, static_cast<uint32_t>(text.size()));
  std::copy(text.begin(), text.end(), memo.begin() + 72);
  PutBigEndian(memo, 128, 0);
  PutBigEndian(memo, 132, 4);
  WriteWholeFile(dir.File("T.FPT"), memo);
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
