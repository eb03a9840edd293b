#include "bench_table.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

struct Field {
  const char* name;
  char type;
  uint8_t length;
};

constexpr Field kFields[] = {{"NAME", 'C', 30}, {"QTY", 'N', 10}, {"PRICE", 'N', 12},
                             {"SOLD", 'D', 8},  {"PAID", 'L', 1}, {"NOTE", 'C', 40}};
constexpr uint16_t kFieldCount = sizeof kFields / sizeof kFields[0];
constexpr uint16_t kRecordLength = 1 + 30 + 10 + 12 + 8 + 1 + 40;
constexpr uint16_t kHeaderLength = 32 * kFieldCount + 33;
constexpr uint32_t kRecordsPerChunk = 1000;

std::string Record(bool damaged) {
  std::string record = " ";
  record += std::string("Widget number one").append(13, ' ');
  record += damaged ? "     12.5x" "      456.78" "20241332" "X" : "       123" "      456.78" "20240517" "T";
  record += std::string(40, 'n');
  return record;
}

}  // namespace

uint64_t WriteBenchTable(const std::string& path, uint64_t bytes, uint32_t damagedPerMille) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const uint64_t records = bytes > kHeaderLength ? (bytes - kHeaderLength) / kRecordLength : 0;
  char header[32] = {0x03, 124, 5, 17};
  const uint32_t announced = static_cast<uint32_t>(std::min<uint64_t>(records, UINT32_MAX));
  std::memcpy(header + 4, &announced, 4);
  std::memcpy(header + 8, &kHeaderLength, 2);
  std::memcpy(header + 10, &kRecordLength, 2);
  out.write(header, sizeof header);
  for (const Field& field : kFields) {
    char descriptor[32] = {};
    std::strncpy(descriptor, field.name, 11);
    descriptor[11] = field.type;
    descriptor[16] = static_cast<char>(field.length);
    out.write(descriptor, sizeof descriptor);
  }
  out.put(0x0D);
  // A chunk of records with the damaged ones spread evenly through it.
  std::string chunk;
  for (uint32_t i = 0; i < kRecordsPerChunk; ++i) chunk += Record(i * damagedPerMille / 1000 != (i + 1) * damagedPerMille / 1000);
  for (uint64_t written = 0; written < records; written += kRecordsPerChunk) {
    const uint64_t count = std::min<uint64_t>(kRecordsPerChunk, records - written);
    out.write(chunk.data(), static_cast<std::streamsize>(count * kRecordLength));
  }
  out.put(0x1A);
  return records;
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void DropFromPageCache(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return;
  fdatasync(fd);
  posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  close(fd);
}
