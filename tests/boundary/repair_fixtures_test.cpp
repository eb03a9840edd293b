// Real tables written by other programs, repaired with the application's default options;
// an independent reader must find the same fields, records and memo texts afterwards.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <gtest/gtest.h>

#include "event_recorder.h"
#include "fixture_tables.h"
#include "temp_dir.h"

using namespace tessaly_test;
namespace fs = std::filesystem;

namespace {

// Recover deleted, repair dates, split, read memo, ignore an all-zero memo; Auto; 255 fields.
constexpr uint32_t kDefaultOptions = 0x00FF001B;

const fs::path kFixtures = TESSALY_FIXTURES_DIR;
const fs::path kDump = fs::path(TESSALY_TOOLS_DIR) / "dbf_dump.py";
const fs::path kCompare = fs::path(TESSALY_TOOLS_DIR) / "compare_repaired_table.py";

class RepairFixture : public testing::TestWithParam<std::string> {};
// Without tables there is nothing to instantiate; the test below fails instead.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RepairFixture);

}  // namespace

TEST(FixtureFolder, HoldsTables) {
  EXPECT_FALSE(FixtureTables(kFixtures).empty()) << "no *.dbf table found below " << kFixtures.string();
  EXPECT_TRUE(fs::is_regular_file(kDump)) << "missing " << kDump.string();
}

TEST_P(RepairFixture, KeepsFieldsRecordsAndMemoTexts) {
#ifdef _WIN32
  GTEST_SKIP() << "the independent reader runs on the build machine only";
#endif
  const std::string table = GetParam();
  TempDir dir;
  const fs::path source = kFixtures / table;
  const fs::path output = dir.path() / source.filename();
  EventRecorder recorder;
  const int32_t result = RunRepair(source.string(), output.string(), kDefaultOptions, &recorder);
  for (const Event& event : recorder.LogEvents()) EXPECT_NE(event.code, EVT_ERROR) << event.text;

  const auto [status, original] = RunCommand("/usr/bin/python3 " + Quoted(kDump) + " " + Quoted(source));
  ASSERT_EQ(status, 0) << original;
  if (original.find("\"fields\": []") != std::string::npos) {
    EXPECT_EQ(result, 0) << "a table without field descriptors has nothing to recover";
    EXPECT_FALSE(fs::exists(output));
    return;
  }
  EXPECT_EQ(result, 1);
  const auto [differs, differences] =
      RunCommand("/usr/bin/python3 " + Quoted(kCompare) + " " + Quoted(source) + " " + Quoted(output));
  EXPECT_EQ(differs, 0) << differences;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RepairFixture, testing::ValuesIn(FixtureTables(kFixtures)), ParameterName);
