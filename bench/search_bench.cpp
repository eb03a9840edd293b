// Times the search component against find(1) with the same name test on a tree of 100,000
// files, both on a warm cache (median of three rounds), and fails when the component set up as
// the search dialog uses it takes more than 1.5 times as long.
//   search_bench [folder-for-the-tree]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "search/search_file_grep.h"

extern char** environ;

namespace {

constexpr int kFanOut = 10;           // folders per level, three levels deep
constexpr int kFilesPerFolder = 100;  // in each of the 1,000 deepest folders
constexpr int kDbfEvery = 10;         // one file in ten is a table
constexpr int kRounds = 3;
constexpr double kAllowedRatio = 1.5;

// One name in ten is a table, half of those with an upper-case extension.
const char* FileName(int index) {
  static char name[32];
  const char* others[] = {".txt", ".dbt", ".cdx"};
  const char* extension = index % kDbfEvery != 0 ? others[index % 3] : index % 20 == 0 ? ".DBF" : ".dbf";
  std::snprintf(name, sizeof name, "file%03d%s", index, extension);
  return name;
}

int BuildTree(const QString& root) {
  int files = 0;
  for (int a = 0; a < kFanOut; ++a) {
    for (int b = 0; b < kFanOut; ++b) {
      for (int c = 0; c < kFanOut; ++c) {
        const QString folder = QString("%1/d%2/e%3/f%4").arg(root).arg(a).arg(b).arg(c);
        QDir().mkpath(folder);
        const QByteArray base = QFile::encodeName(folder) + '/';
        for (int i = 0; i < kFilesPerFolder; ++i) {
          const int fd = open((base + FileName(i)).constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
          if (fd >= 0) close(fd);
          ++files;
        }
      }
    }
  }
  return files;
}

double TimeFind(const QString& root) {
  const QByteArray folder = QFile::encodeName(root);
  const char* argv[] = {"find", folder.constData(), "-iname", "*.dbf", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  QElapsedTimer timer;
  timer.start();
  pid_t pid = 0;
  if (posix_spawnp(&pid, "find", &actions, nullptr, const_cast<char**>(argv), environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  const double seconds = timer.nsecsElapsed() / 1e9;
  posix_spawn_file_actions_destroy(&actions);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

// The component set up as the search dialog sets it up (every result field, so every match is
// looked up), keeping what it finds as the dialog does; or with its defaults (names only).
double TimeSearch(const QString& root, bool asDialog, int& found) {
  TSearchFileGrep search;
  search.ThreadedSearch = false;
  if (asDialog) {
    search.InternalFoundList = false;
    search.ResultValues = TSPResults(srsDir) | srsFilename | srsAttr | srsSize | srsCreateDate |
                          srsLastAccessDate | srsLastModifiedDate;
  }
  search.Dirs = root;
  search.FileMasks = "*.dbf";
  std::vector<TSPFileRecord> rows;
  search.OnFound = [&](TSearchFileGrep*, PSPFileRecord record) { rows.push_back(*record); };
  QElapsedTimer timer;
  timer.start();
  search.StartSearch();
  const double seconds = timer.nsecsElapsed() / 1e9;
  found = static_cast<int>(rows.size());
  return seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTemporaryDir temporary(argc > 1 ? QString::fromLocal8Bit(argv[1]) + "/search-bench-XXXXXX"
                                   : QDir::tempPath() + "/search-bench-XXXXXX");
  if (!temporary.isValid()) {
    std::fprintf(stderr, "cannot create the tree folder\n");
    return 2;
  }
  const int files = BuildTree(temporary.path());
  std::printf("tree: %d files in %s\n", files, qPrintable(temporary.path()));
  TimeFind(temporary.path());  // warms the cache for both

  std::vector<double> findTimes, searchTimes, namesOnlyTimes;
  int found = 0, foundNamesOnly = 0;
  for (int round = 0; round < kRounds; ++round) {
    findTimes.push_back(TimeFind(temporary.path()));
    searchTimes.push_back(TimeSearch(temporary.path(), true, found));
    namesOnlyTimes.push_back(TimeSearch(temporary.path(), false, foundNamesOnly));
  }
  const double findSeconds = Median(findTimes);
  const double searchSeconds = Median(searchTimes);
  const double namesOnlySeconds = Median(namesOnlyTimes);
  if (findSeconds <= 0) {
    std::fprintf(stderr, "find failed\n");
    return 2;
  }
  const double ratio = searchSeconds / findSeconds;
  std::printf("find -iname '*.dbf': %.3f s\n", findSeconds);
  std::printf("TSearchFileGrep *.dbf, as the dialog: %.3f s (%d found)\n", searchSeconds, found);
  std::printf("TSearchFileGrep *.dbf, names only: %.3f s (%d found, ratio %.2f)\n",
              namesOnlySeconds, foundNamesOnly, namesOnlySeconds / findSeconds);
  std::printf("ratio: %.2f (allowed %.2f)\n", ratio, kAllowedRatio);
  return ratio <= kAllowedRatio ? 0 : 1;
}
