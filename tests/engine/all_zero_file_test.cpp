#include <gtest/gtest.h>

#include <vector>

#include "all_zero_file.h"
#include "temp_dir.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {
constexpr size_t kFiveMiB = 5 * 1024 * 1024;
}

TEST(IsAllZeroFile, AnEmptyFileCountsAsAllZeros) {
  TempDir dir;
  WriteWholeFile(dir.File("empty.dbt"), {});
  EXPECT_TRUE(IsAllZeroFile(dir.File("empty.dbt").c_str()));
}

TEST(IsAllZeroFile, ScansPastTheFirstPieceToTheLastByte) {
  TempDir dir;
  std::vector<char> bytes(kFiveMiB, '\0');
  WriteWholeFile(dir.File("zeros.dbt"), bytes);
  EXPECT_TRUE(IsAllZeroFile(dir.File("zeros.dbt").c_str()));
  bytes.back() = 1;
  WriteWholeFile(dir.File("last.dbt"), bytes);
  EXPECT_FALSE(IsAllZeroFile(dir.File("last.dbt").c_str()));
  WriteWholeFile(dir.File("exact.dbt"), std::vector<char>(4 * 1024 * 1024, '\0'));
  EXPECT_TRUE(IsAllZeroFile(dir.File("exact.dbt").c_str()));
}

TEST(IsAllZeroFile, AFileThatCannotBeOpenedIsNotAllZeros) {
  TempDir dir;
  EXPECT_FALSE(IsAllZeroFile(dir.File("missing.dbt").c_str()));
  EXPECT_FALSE(IsAllZeroFile(dir.path().string().c_str()));  // a folder
}
