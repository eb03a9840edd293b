// Opening a large table through the engine's read interface and reading its last
// record: the cost must not grow with the table. Usage: table_reader_bench [MiB] [folder]
// Each round drops the table's pages from the page cache first (posix_fadvise), so the
// reads come from the disk as for a table nobody has touched.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_table.h"
#include "mendrel.h"

namespace {

constexpr int kRounds = 15;

// Open, header facts, fields, the last record and each of its fields rendered, close.
// Returns the milliseconds taken, or a negative number when something failed.
double OpenAndReadLastRecord(const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  char reason[256];
  MendrelTable* table = MendrelOpenTable()(path.c_str(), nullptr, reason, sizeof reason);
  if (table == nullptr) return -1;
  MendrelTableInfo info{};
  info.size = sizeof info;
  MendrelGetTableInfo()(table, &info);
  std::vector<char> record(info.recordLength);
  const uint64_t last = info.readableRecords - 1;
  const bool read = MendrelReadRecord()(table, last, record.data(), info.recordLength) == info.recordLength;
  char text[256];
  for (uint32_t field = 0; field < info.fieldCount; ++field) {
    MendrelField descriptor{};
    descriptor.size = sizeof descriptor;
    MendrelGetField()(table, field, &descriptor);
    MendrelRenderField()(table, last, field, MENDREL_OPT_REPAIR_DATE, text, sizeof text);
  }
  MendrelCloseTable()(table);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  return read ? took.count() : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const uint64_t mebibytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
  const std::filesystem::path folder = argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
  const std::string path = (folder / "reader_bench.dbf").string();
  const uint64_t records = WriteBenchTable(path, mebibytes << 20, 0);
  std::vector<double> cold, warm;
  for (int round = 0; round < kRounds; ++round) {
    DropFromPageCache(path);
    cold.push_back(OpenAndReadLastRecord(path));
    warm.push_back(OpenAndReadLastRecord(path));
  }
  std::filesystem::remove(path);
  if (*std::min_element(cold.begin(), cold.end()) < 0 || *std::min_element(warm.begin(), warm.end()) < 0) {
    std::fprintf(stderr, "the table could not be read\n");
    return 1;
  }
  std::sort(cold.begin(), cold.end());
  std::sort(warm.begin(), warm.end());
  std::printf("table %llu MiB, %llu records, %d rounds\n", static_cast<unsigned long long>(mebibytes),
              static_cast<unsigned long long>(records), kRounds);
  std::printf("open + last record, pages dropped: median %.3f ms, worst %.3f ms (target < 100 ms)\n",
              cold[cold.size() / 2], cold.back());
  std::printf("open + last record, pages cached:  median %.3f ms, worst %.3f ms\n", warm[warm.size() / 2], warm.back());
  return cold.back() < 100 ? 0 : 1;
}
