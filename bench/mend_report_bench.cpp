// The repair with the mend report's counting against the same repair without it: this
// build's engine and a baseline build from before the report (its libmendrel.so, loaded
// beside this one), alternating round by round on one generated table.
//
//   mend_report_bench --baseline PATH/libmendrel.so [--size-mib N] [--rounds N]
//                     [--damage PER_MILLE] [--dir DIR] [--only with|without|none]
//
// --damage gives the share of records with a date, a number and a logical to mend.
// --only runs one side (or none: the table only), for counting instructions under
// valgrind --tool=callgrind, which the machine's load does not disturb.
#include <dlfcn.h>

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

struct Options {
  std::string baseline;
  uint64_t sizeMiB = 1024;
  int rounds = 5;
  uint32_t damagePerMille = 10;
  std::filesystem::path dir = std::filesystem::temp_directory_path();
  std::string only;  // "with", "without", "none"; empty: both, alternating
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--baseline") options.baseline = argv[i + 1];
    else if (name == "--size-mib") options.sizeMiB = std::strtoull(argv[i + 1], nullptr, 10);
    else if (name == "--rounds") options.rounds = std::max(1, std::atoi(argv[i + 1]));
    else if (name == "--damage") options.damagePerMille = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
    else if (name == "--dir") options.dir = argv[i + 1];
    else if (name == "--only") options.only = argv[i + 1];
  }
  return options;
}

int32_t CountingCallback(int32_t, void*, void* userData) {
  ++*static_cast<uint64_t*>(userData);
  return 0;
}

struct Timing {
  double wall = 0;
  double cpu = 0;
  uint64_t events = 0;
};

Timing TimeRepair(MendrelRepairFn repair, const std::string& source, const std::string& output) {
  Timing timing;
  RepairArgs args{};
  args.sourcePath = reinterpret_cast<uintptr_t>(source.c_str());
  args.outputPath = reinterpret_cast<uintptr_t>(output.c_str());
  args.optionWord = 0x00FF001B;  // the application's defaults
  args.callback = reinterpret_cast<uintptr_t>(&CountingCallback);
  args.userData = reinterpret_cast<uintptr_t>(&timing.events);
  MendrelMaskArgs(&args);
  const double cpu = ProcessCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  repair(&args);
  timing.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  timing.cpu = ProcessCpuSeconds() - cpu;
  return timing;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  void* baseline = options.baseline.empty() ? nullptr : dlopen(options.baseline.c_str(), RTLD_NOW | RTLD_LOCAL);
  void* const* ordinals = baseline != nullptr ? static_cast<void* const*>(dlsym(baseline, "MendrelOrdinals")) : nullptr;
  if (ordinals == nullptr || ordinals[1] == reinterpret_cast<void*>(MendrelRepair())) {
    std::fprintf(stderr, "mend_report_bench: --baseline must name another build's libmendrel.so\n");
    return 2;
  }
  const auto without = reinterpret_cast<MendrelRepairFn>(ordinals[1]);
  const std::string source = (options.dir / "mend_bench_source.dbf").string();
  const std::string output = (options.dir / "mend_bench_output.dbf").string();
  const uint64_t records = WriteBenchTable(source, options.sizeMiB << 20, options.damagePerMille);
  if (!options.only.empty()) {
    if (options.only != "none") TimeRepair(options.only == "with" ? MendrelRepair() : without, source, output);
    std::filesystem::remove(source);
    std::filesystem::remove(output);
    return 0;
  }

  std::vector<double> wallWith, wallWithout, cpuWith, cpuWithout;
  uint64_t eventsWith = 0, eventsWithout = 0;
  for (int round = 0; round < options.rounds; ++round) {
    // The order alternates, so that neither side always runs on a warmer machine.
    for (int side = 0; side < 2; ++side) {
      const bool counting = (round + side) % 2 == 0;
      const Timing timing = TimeRepair(counting ? MendrelRepair() : without, source, output);
      (counting ? wallWith : wallWithout).push_back(timing.wall);
      (counting ? cpuWith : cpuWithout).push_back(timing.cpu);
      (counting ? eventsWith : eventsWithout) = timing.events;
    }
  }
  std::filesystem::remove(source);
  std::filesystem::remove(output);
  std::printf("table %llu MiB, %llu records, %u per mille damaged, %d rounds, medians\n",
              static_cast<unsigned long long>(options.sizeMiB), static_cast<unsigned long long>(records),
              options.damagePerMille, options.rounds);
  std::printf("without counting: wall %.3f s, cpu %.3f s, %llu events\n", Median(wallWithout), Median(cpuWithout),
              static_cast<unsigned long long>(eventsWithout));
  std::printf("with counting:    wall %.3f s, cpu %.3f s, %llu events\n", Median(wallWith), Median(cpuWith),
              static_cast<unsigned long long>(eventsWith));
  std::printf("cost of counting: wall %+.1f %%, cpu %+.1f %% (limit 3 %%)\n",
              100 * (Median(wallWith) / Median(wallWithout) - 1), 100 * (Median(cpuWith) / Median(cpuWithout) - 1));
  return 0;
}
