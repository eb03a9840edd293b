// Repair throughput against a plain copy: builds a FoxPro table (C, N, D, L and M fields)
// of 512 MiB with an FPT memo file of 30 MiB, then times, in the same run, `cp` of the
// table and its memo file, `dd bs=64k` of each (the user-space copies a repair must make
// too) and a repair of the same files with tessaly-cli, and prints the rates, the CPU
// time of each (steadier than the wall clock on a shared machine) and the repair's peak
// memory.
//
// Last, the same repair in this process through the library, with no callback and with
// one that only answers: the difference is what the two events every record sends cost
// a client that does nothing with them.
//
//   repair_throughput [--table-mib N] [--memo-mib N] [--runs N] [--dir DIR] [--cli PATH]
#include <fcntl.h>
#include <sys/resource.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mendrel.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kMemoBlockSize = 64;
constexpr uint32_t kMemoHeaderSize = 512;
constexpr uint32_t kBacklinkSize = 263;  // the area after the field list of FoxPro tables
constexpr size_t kFlushSize = 8u << 20;

struct Field {
  const char* name;
  char type;
  uint8_t length;
  uint8_t decimals;
};

constexpr Field kFields[] = {{"NAME", 'C', 30, 0},  {"CITY", 'C', 20, 0}, {"AMOUNT", 'N', 12, 2},
                             {"QTY", 'N', 6, 0},    {"BORN", 'D', 8, 0},  {"ACTIVE", 'L', 1, 0},
                             {"NOTES", 'M', 4, 0}};
constexpr size_t kFieldCount = sizeof kFields / sizeof kFields[0];
constexpr size_t kRecordLength = 1 + 30 + 20 + 12 + 6 + 8 + 1 + 4;
constexpr size_t kHeaderLength = 32 + 32 * kFieldCount + 1 + kBacklinkSize;

const char* const kCities[] = {"Lyon", "Basel", "Oslo", "Prague", "Lisbon", "Nantes", "Turin", "Vienna"};
const char kMemoText[] =
    "Customer called about the delivery; the parcel was left with a neighbour. Follow up "
    "next week. Prefers email, pays by transfer, ships to the office address on weekdays. ";

struct Options {
  uint64_t tableMiB = 512;
  uint64_t memoMiB = 30;
  int runs = 3;
  std::string dir = (fs::temp_directory_path() / "tessaly-repair-bench").string();
  std::string cli = TESSALY_CLI_PATH;
};

void PutLE(std::string& out, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) out += static_cast<char>(value >> (8 * i));
}

void PutBE(std::string& out, uint32_t value) {
  for (int i = 3; i >= 0; --i) out += static_cast<char>(value >> (8 * i));
}

void Pad(std::string& out, const std::string& text, size_t width, bool right = false) {
  const std::string cut = text.substr(0, width);
  if (right) out.append(width - cut.size(), ' ');
  out += cut;
  if (!right) out.append(width - cut.size(), ' ');
}

std::string TableHeader(uint32_t records) {
  std::string header;
  header += '\x30';
  header += static_cast<char>(124), header += '\x01', header += '\x01';
  PutLE(header, records, 4);
  PutLE(header, kHeaderLength, 2);
  PutLE(header, kRecordLength, 2);
  header.append(16, '\0');
  header += '\x02';  // has a memo file
  header.append(3, '\0');
  for (const Field& field : kFields) {
    std::string name(field.name);
    name.resize(11, '\0');
    header += name;
    header += field.type;
    header.append(4, '\0');
    header += static_cast<char>(field.length);
    header += static_cast<char>(field.decimals);
    header.append(14, '\0');
  }
  header += '\x0D';
  header.append(kBacklinkSize, '\0');
  return header;
}

void AppendRecord(std::string& table, uint32_t i, uint32_t memoBlock) {
  char text[32];
  table += ' ';
  std::snprintf(text, sizeof text, "Customer %08u", i);
  Pad(table, text, 30);
  Pad(table, kCities[i % 8], 20);
  std::snprintf(text, sizeof text, "%.2f", (i * 37u % 1000000u) / 100.0);
  Pad(table, text, 12, true);
  Pad(table, std::to_string(i % 1000), 6, true);
  std::snprintf(text, sizeof text, "%04u%02u%02u", 1950 + i % 70, 1 + i % 12, 1 + i % 28);
  table += text;
  table += (i % 3 == 0) ? 'F' : 'T';
  PutLE(table, memoBlock, 4);
}

// A text memo in FoxPro layout, padded to whole blocks; returns the blocks it took.
uint32_t AppendMemo(std::string& memo, uint32_t i) {
  const size_t length = 40 + (i * 7919u) % 160;
  const size_t before = memo.size();
  PutBE(memo, 1);
  PutBE(memo, static_cast<uint32_t>(length));
  for (size_t n = 0; n < length; n += sizeof kMemoText - 1) {
    memo.append(kMemoText, std::min(length - n, sizeof kMemoText - 1));
  }
  const size_t used = memo.size() - before;
  const size_t blocks = (used + kMemoBlockSize - 1) / kMemoBlockSize;
  memo.append(blocks * kMemoBlockSize - used, '\0');
  return static_cast<uint32_t>(blocks);
}

void WriteAt(const std::string& path, uint64_t offset, const std::string& bytes) {
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Memos go to the records spread evenly, so that the memo file grows with the table.
void GenerateTable(const std::string& table, const std::string& memo, uint64_t tableBytes, uint64_t memoBytes) {
  std::ofstream tableOut(table, std::ios::binary | std::ios::trunc);
  std::ofstream memoOut(memo, std::ios::binary | std::ios::trunc);
  tableOut << TableHeader(0);
  memoOut << std::string(kMemoHeaderSize, '\0');
  uint64_t tableWritten = kHeaderLength, memoWritten = kMemoHeaderSize;
  uint32_t nextBlock = kMemoHeaderSize / kMemoBlockSize;
  uint32_t records = 0;
  std::string tableBuffer, memoBuffer;
  while (tableWritten + tableBuffer.size() < tableBytes) {
    uint32_t block = 0;
    const double tableShare = static_cast<double>(tableWritten + tableBuffer.size()) / static_cast<double>(tableBytes);
    if (static_cast<double>(memoWritten + memoBuffer.size()) < tableShare * static_cast<double>(memoBytes)) {
      block = nextBlock;
      nextBlock += AppendMemo(memoBuffer, records);
    }
    AppendRecord(tableBuffer, records++, block);
    if (tableBuffer.size() + memoBuffer.size() >= kFlushSize) {
      tableWritten += tableBuffer.size();
      memoWritten += memoBuffer.size();
      tableOut << tableBuffer;
      memoOut << memoBuffer;
      tableBuffer.clear();
      memoBuffer.clear();
    }
  }
  tableOut << tableBuffer << '\x1A';
  memoOut << memoBuffer;
  tableOut.close();
  memoOut.close();
  WriteAt(table, 0, TableHeader(records).substr(0, 32));
  std::string memoHeader;
  PutBE(memoHeader, nextBlock);
  memoHeader += '\0', memoHeader += '\0';
  memoHeader += static_cast<char>(kMemoBlockSize >> 8), memoHeader += static_cast<char>(kMemoBlockSize);
  WriteAt(memo, 0, memoHeader);
}

// One finished run of a program: wall-clock and CPU seconds, peak resident memory.
struct Timing {
  double wall = -1;  // -1: the program could not be run or failed
  double cpu = 0;
  long peakKiB = 0;
};

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// Runs a program with its output sent to a file.
Timing TimeProgram(const std::vector<std::string>& args, const std::string& outputFile) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int status = 0;
  rusage usage{};
  const bool ran = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
                   wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) &&
                   WEXITSTATUS(status) == 0;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  posix_spawn_file_actions_destroy(&actions);
  Timing timing;
  if (!ran) return timing;
  timing.wall = elapsed.count();
  timing.cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  timing.peakKiB = usage.ru_maxrss;
  return timing;
}

// dd with 64 KiB blocks: one read and one write per block through user space.
Timing TimeDd(const std::string& from, const std::string& to) {
  return TimeProgram({"dd", "if=" + from, "of=" + to, "bs=64k", "status=none"}, "/dev/null");
}

int32_t AnsweringCallback(int32_t, void*, void*) { return 0; }

// A repair through ordinal 1 in this process: its CPU seconds.
double RepairInProcess(const std::string& source, const std::string& output, ProgressCallback callback) {
  RepairArgs args{};
  args.sourcePath = reinterpret_cast<uintptr_t>(source.c_str());
  args.optionWord = 0x00FF001Bu;  // the desktop defaults
  args.outputPath = reinterpret_cast<uintptr_t>(output.c_str());
  args.callback = reinterpret_cast<uintptr_t>(callback);
  MendrelMaskArgs(&args);
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  MendrelRepair()(&args);
  getrusage(RUSAGE_SELF, &after);
  return Seconds(after.ru_utime) - Seconds(before.ru_utime) + Seconds(after.ru_stime) - Seconds(before.ru_stime);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--table-mib") options.tableMiB = std::strtoull(argv[i + 1], nullptr, 10);
    else if (name == "--memo-mib") options.memoMiB = std::strtoull(argv[i + 1], nullptr, 10);
    else if (name == "--runs") options.runs = std::max(1, std::atoi(argv[i + 1]));
    else if (name == "--dir") options.dir = argv[i + 1];
    else if (name == "--cli") options.cli = argv[i + 1];
  }
  return options;
}

void RemoveOutputs(const fs::path& copies, const fs::path& repaired) {
  fs::remove_all(copies);
  fs::remove_all(repaired);
  fs::create_directories(copies);
  fs::create_directories(repaired);
  sync();  // the previous step's dirty pages must not be written back during the next
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  const fs::path dir = options.dir;
  fs::create_directories(dir);
  const std::string table = (dir / "bench.dbf").string();
  const std::string memo = (dir / "bench.fpt").string();
  const std::string stamp = (dir / "bench.size").string();
  const std::string wanted = std::to_string(options.tableMiB) + "+" + std::to_string(options.memoMiB);
  std::string made;
  std::ifstream(stamp) >> made;
  if (made != wanted || !fs::exists(table) || !fs::exists(memo)) {
    std::printf("Generating a %llu MiB table with a %llu MiB memo file in %s ...\n",
                static_cast<unsigned long long>(options.tableMiB), static_cast<unsigned long long>(options.memoMiB),
                dir.c_str());
    const auto start = std::chrono::steady_clock::now();
    GenerateTable(table, memo, options.tableMiB << 20, options.memoMiB << 20);
    std::ofstream(stamp) << wanted;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("  generated in %.1f s\n", took.count());
  }
  const double bytes = static_cast<double>(fs::file_size(table) + fs::file_size(memo));
  std::printf("Table %.0f MB + memo %.0f MB, %d run(s), median reported\n",
              fs::file_size(table) / 1e6, fs::file_size(memo) / 1e6, options.runs);

  const fs::path copies = dir / "copy", repaired = dir / "repaired";
  std::vector<double> copyTimes, ddTimes, repairTimes, copyCpu, ddCpu, repairCpu;
  long peakKiB = 0;
  for (int run = 0; run < options.runs; ++run) {
    RemoveOutputs(copies, repaired);
    const Timing copy = TimeProgram({"cp", table, memo, copies.string() + "/"}, "/dev/null");
    RemoveOutputs(copies, repaired);
    const Timing ddTable = TimeDd(table, (copies / "bench.dbf").string());
    const Timing ddMemo = TimeDd(memo, (copies / "bench.fpt").string());
    const Timing dd{ddTable.wall < 0 || ddMemo.wall < 0 ? -1 : ddTable.wall + ddMemo.wall, ddTable.cpu + ddMemo.cpu,
                    std::max(ddTable.peakKiB, ddMemo.peakKiB)};
    RemoveOutputs(copies, repaired);
    const Timing repair = TimeProgram(
        {options.cli, "repair", table, "-o", (repaired / "bench.dbf").string()},
        (dir / "repair.log").string());
    if (copy.wall < 0 || dd.wall < 0 || repair.wall < 0) {
      std::fprintf(stderr, "a run failed; see %s\n", (dir / "repair.log").c_str());
      return 1;
    }
    copyTimes.push_back(copy.wall), copyCpu.push_back(copy.cpu);
    ddTimes.push_back(dd.wall), ddCpu.push_back(dd.cpu);
    repairTimes.push_back(repair.wall), repairCpu.push_back(repair.cpu);
    peakKiB = std::max(peakKiB, repair.peakKiB);
    std::printf("  run %d: cp %.2f s (cpu %.2f s), dd %.2f s (cpu %.2f s), repair %.2f s (cpu %.2f s)\n",
                run + 1, copy.wall, copy.cpu, dd.wall, dd.cpu, repair.wall, repair.cpu);
  }
  RemoveOutputs(copies, repaired);
  const double copy = Median(copyTimes), dd = Median(ddTimes), repair = Median(repairTimes);
  std::printf("cp:     %8.1f MB/s (%.2f s, cpu %.2f s)\n", bytes / 1e6 / copy, copy, Median(copyCpu));
  std::printf("dd:     %8.1f MB/s (%.2f s, cpu %.2f s)\n", bytes / 1e6 / dd, dd, Median(ddCpu));
  std::printf("repair: %8.1f MB/s (%.2f s, cpu %.2f s)\n", bytes / 1e6 / repair, repair, Median(repairCpu));
  std::printf("repair/cp time ratio: %.2f (target <= 2.00), cpu ratio %.2f\n", repair / copy,
              Median(repairCpu) / Median(copyCpu));
  std::printf("repair/dd time ratio: %.2f, cpu ratio %.2f\n", repair / dd, Median(repairCpu) / Median(ddCpu));
  std::printf("repair peak memory: %ld KiB\n", peakKiB);

  std::vector<double> silent, answered;
  const std::string output = (repaired / "bench.dbf").string();
  for (int run = 0; run < options.runs; ++run) {
    RemoveOutputs(copies, repaired);
    silent.push_back(RepairInProcess(table, output, nullptr));
    RemoveOutputs(copies, repaired);
    answered.push_back(RepairInProcess(table, output, &AnsweringCallback));
  }
  RemoveOutputs(copies, repaired);
  std::printf("in process, cpu: no callback %.3f s, a callback that only answers %.3f s\n", Median(silent),
              Median(answered));
  return 0;
}
