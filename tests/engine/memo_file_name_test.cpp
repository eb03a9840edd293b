#include "memo_file_name.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

using namespace mendrel;
using tessaly_test::TempDir;
using tessaly_test::WriteWholeFile;

TEST(MemoFileName, AMemoFileBesideTheSourceDecidesTheKind) {
  TempDir dir;
  const std::string source = dir.File("sales.dbf");
  EXPECT_EQ(ChooseMemoExtension(source, 0x03), ".DBT");
  EXPECT_EQ(ChooseMemoExtension(source, 0x83), ".DBT");
  for (uint8_t version : {0x30, 0x31, 0xF5, 0xFB}) EXPECT_EQ(ChooseMemoExtension(source, version), ".FPT");

  WriteWholeFile(dir.File("Sales.fpt"), {});
  EXPECT_EQ(ChooseMemoExtension(source, 0x83), ".FPT");
  WriteWholeFile(dir.File("SALES.dbt"), {});
  EXPECT_EQ(ChooseMemoExtension(source, 0xF5), ".DBT");
}

TEST(MemoFileName, FindsTheSourceMemoWithoutRegardToCasePreferringTheExactName) {
  TempDir dir;
  const std::string source = dir.File("sales.dbf");
  EXPECT_EQ(SourceMemoPath(source, ".DBT"), dir.File("sales.DBT"));  // none exists
  WriteWholeFile(dir.File("sales.dbt"), {});
#ifdef _WIN32
  // Names ignore case here: the name asked for already leads to the file.
  EXPECT_EQ(SourceMemoPath(source, ".DBT"), dir.File("sales.DBT"));
#else
  EXPECT_EQ(SourceMemoPath(source, ".DBT"), dir.File("sales.dbt"));
  WriteWholeFile(dir.File("sales.DBT"), {});
  EXPECT_EQ(SourceMemoPath(source, ".DBT"), dir.File("sales.DBT"));
#endif
}

TEST(MemoFileName, OutputMemoTakesTheCaseOfTheTableExtension) {
  EXPECT_EQ(OutputMemoPath("/o/out.dbf", ".DBT"), "/o/out.dbt");
  EXPECT_EQ(OutputMemoPath("/o/out.dbf", ".FPT"), "/o/out.fpt");
  EXPECT_EQ(OutputMemoPath("/o/OUT.DBF", ".FPT"), "/o/OUT.FPT");
  EXPECT_EQ(OutputMemoPath("/o/out", ".DBT"), "/o/out.DBT");
  EXPECT_EQ(OutputMemoPath("/o/out.Dbf", ".DBT"), "/o/out.DBT");
  EXPECT_EQ(OutputMemoPath("/o/out_1.dbf", ".DBT"), "/o/out_1.dbt");
}

#ifdef _WIN32
TEST(MemoFileName, WindowsPathsFindTheMemoBesideTheTableWhicheverSlashTheyUse) {
  TempDir dir;
  WriteWholeFile(dir.File("Sales.fpt"), {});
  const std::string folder = dir.path().string();
  std::string forward = folder;
  for (char& c : forward)
    if (c == '\\') c = '/';
  for (const std::string& table : {folder + "\\sales.dbf", forward + "/sales.dbf"}) {
    EXPECT_EQ(ChooseMemoExtension(table, 0x83), ".FPT") << table;
    EXPECT_TRUE(IsMemoNameOf(folder + "\\SALES.FPT", table)) << table;
  }
}
#endif
