// Real tables written by other programs, repaired with the application's default options;
// an independent reader must find the same fields, records and memo texts afterwards.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <gtest/gtest.h>

#include "event_recorder.h"
#include "temp_dir.h"

using namespace tessaly_test;
namespace fs = std::filesystem;

namespace {

// Recover deleted, repair dates, split, read memo, ignore an all-zero memo; Auto; 255 fields.
constexpr uint32_t kDefaultOptions = 0x00FF001B;

const fs::path kFixtures = TESSALY_FIXTURES_DIR;
const fs::path kDump = fs::path(TESSALY_TOOLS_DIR) / "dbf_dump.py";
const fs::path kCompare = fs::path(TESSALY_TOOLS_DIR) / "compare_repaired_table.py";

// The tables below the data folder, relative to it; none when the folder cannot be read
// (FixtureFolder.HoldsTables then says why, instead of an abort while tests are listed).
std::vector<std::string> FixtureTables() {
  std::vector<std::string> tables;
  std::error_code error;
  for (fs::recursive_directory_iterator it(kFixtures, error), end; !error && it != end;
       it.increment(error)) {
    std::string extension = it->path().extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::error_code ignored;
    if (it->is_regular_file(ignored) && extension == ".dbf")
      tables.push_back(fs::relative(it->path(), kFixtures).string());
  }
  std::sort(tables.begin(), tables.end());
  return tables;
}

// Runs a command; its exit status and what it printed.
std::pair<int, std::string> RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {-1, "cannot run " + command};
  char buffer[4096];
  while (size_t read = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, read);
  return {pclose(pipe), output};
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

class RepairFixture : public testing::TestWithParam<std::string> {};
// Without tables there is nothing to instantiate; the test below fails instead.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RepairFixture);

}  // namespace

TEST(FixtureFolder, HoldsTables) {
  EXPECT_FALSE(FixtureTables().empty()) << "no *.dbf table found below " << kFixtures.string();
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

INSTANTIATE_TEST_SUITE_P(Fixtures, RepairFixture, testing::ValuesIn(FixtureTables()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });
