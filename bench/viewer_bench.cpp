// Opening a large table in the viewer and reading its last record: the model reads
// records only as they are asked for, so the cost must not grow with the table.
// Usage: viewer_bench [MiB] [folder]. Each round drops the table's pages from the page
// cache first, then times the model alone (the target: under 100 ms) and the whole
// viewer window shown with its last record in view, and tells the memory each took.
#include <sys/resource.h>

#include <QApplication>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench_table.h"
#include "viewer/record_table_model.h"
#include "viewer/table_viewer.h"

namespace {

constexpr int kRounds = 15;
constexpr double kTargetMs = 100;

double Milliseconds(const std::function<bool()>& work) {
  const auto start = std::chrono::steady_clock::now();
  const bool done = work();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  return done ? took.count() : -1;
}

// The model opened and every cell of the last record read, as the grid asks for them.
bool ModelReadsLastRecord(const QString& path) {
  TRecordTableModel model(path);
  const int last = model.rowCount() - 1;
  bool filled = last >= 0 && !model.headerData(last, Qt::Vertical).toString().isEmpty();
  for (int column = 0; column < model.columnCount(); ++column)
    filled = filled && !model.index(last, column).data().toString().isEmpty();
  return filled;
}

// The window opened, the last record made current and painted.
bool WindowShowsLastRecord(const QString& path) {
  TTableViewer* viewer = TTableViewer::Open(nullptr, path);
  if (viewer == nullptr) return false;
  viewer->GoToRecord(viewer->Model()->rowCount());
  QApplication::processEvents();
  const bool shown = viewer->grdRecords->currentIndex().row() == viewer->Model()->rowCount() - 1;
  delete viewer;
  return shown;
}

// The most memory this process has held so far, in MiB.
double PeakMebibytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

struct Timings {
  std::vector<double> rounds;
  double Median() {
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
  }
  double Worst() const { return *std::max_element(rounds.begin(), rounds.end()); }
  bool Failed() const { return *std::min_element(rounds.begin(), rounds.end()) < 0; }
};

}  // namespace

int main(int argc, char** argv) {
  const uint64_t mebibytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1024;
  const std::filesystem::path folder = argc > 2 ? argv[2] : std::filesystem::temp_directory_path();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  const std::string path = (folder / "viewer_bench.dbf").string();
  const uint64_t records = WriteBenchTable(path, mebibytes << 20, 0);
  const QString table = QString::fromStdString(path);
  Timings model, window;
  for (int round = 0; round < kRounds; ++round) {
    DropFromPageCache(path);
    model.rounds.push_back(Milliseconds([&] { return ModelReadsLastRecord(table); }));
  }
  const double modelPeak = PeakMebibytes();
  for (int round = 0; round < kRounds; ++round) {
    DropFromPageCache(path);
    window.rounds.push_back(Milliseconds([&] { return WindowShowsLastRecord(table); }));
  }
  std::filesystem::remove(path);
  if (model.Failed() || window.Failed()) {
    std::fprintf(stderr, "the table could not be read\n");
    return 1;
  }
  std::printf("table %llu MiB, %llu records, %d rounds, pages dropped before each\n",
              static_cast<unsigned long long>(mebibytes), static_cast<unsigned long long>(records),
              kRounds);
  std::printf("model open + last record:       median %.3f ms, worst %.3f ms (target < %.0f ms)\n",
              model.Median(), model.Worst(), kTargetMs);
  std::printf("viewer window at the last record: median %.3f ms, worst %.3f ms\n", window.Median(),
              window.Worst());
  // The grid's row header keeps a few bytes per record: Qt's, not the model's.
  std::printf("peak memory: %.1f MiB with the model alone, %.1f MiB with the window\n", modelPeak,
              PeakMebibytes());
  return model.Worst() < kTargetMs ? 0 : 1;
}
