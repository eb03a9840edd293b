// Times one repair of a large generated table three ways: started from the main
// window (offscreen, its result box answered at once), through tessaly-cli, and
// as a bare call of the engine with a callback that does nothing. The window
// must not cost more than a tenth above tessaly-cli. The cost is the processor
// time of the run (user and system), which other work on the machine does not
// inflate; wall-clock times are shown beside it.
// Usage: app_vs_cli [records] [rounds] [folder]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <cstdio>
#include <vector>

#include "drag_edit.h"
#include "engine_binding.h"
#include "main_form.h"

namespace {

constexpr qint64 kDefaultRecords = 3'000'000;
constexpr int kDefaultRounds = 3;
constexpr double kAllowedOverhead = 0.10;

struct Field {
  const char* name;
  char type;
  quint8 length;
};

constexpr Field kFields[] = {{"NAME", 'C', 30}, {"QTY", 'N', 10}, {"PRICE", 'N', 12},
                             {"SOLD", 'D', 8},  {"PAID", 'L', 1}, {"NOTE", 'C', 40}};

struct Cost {
  qint64 cpuMs = -1;
  qint64 wallMs = -1;
};

qint64 CpuMs(const rusage& usage) {
  return (qint64(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000 +
         (qint64(usage.ru_utime.tv_usec) + usage.ru_stime.tv_usec) / 1000;
}

qint64 ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return CpuMs(usage);
}

bool WriteTable(const QString& path, qint64 records) {
  QByteArray head(32, '\0');
  int recordLength = 1;
  for (const Field& field : kFields) recordLength += field.length;
  const int headerLength = 32 + 32 * int(std::size(kFields)) + 1;
  head[0] = 0x03;
  qToLittleEndian<quint32>(quint32(records), head.data() + 4);
  qToLittleEndian<quint16>(quint16(headerLength), head.data() + 8);
  qToLittleEndian<quint16>(quint16(recordLength), head.data() + 10);
  for (const Field& field : kFields) {
    QByteArray descriptor(32, '\0');
    descriptor.replace(0, int(qstrlen(field.name)), field.name);
    descriptor[11] = field.type;
    descriptor[16] = char(field.length);
    head += descriptor;
  }
  head += '\r';
  const QByteArray record = " " + QByteArray("Widget number one").leftJustified(30) +
                            "       123" + "      456.78" + "20240517" + "T" +
                            QByteArray(40, 'n');
  QFile file(path);
  if (record.size() != recordLength || !file.open(QIODevice::WriteOnly)) return false;
  file.write(head);
  const qint64 perChunk = 10'000;
  const QByteArray chunk = record.repeated(perChunk);
  for (qint64 written = 0; written < records; written += perChunk)
    file.write(chunk.constData(), std::min(perChunk, records - written) * recordLength);
  file.write("\x1a", 1);
  return file.error() == QFileDevice::NoError;
}

// Takes the cost of the run up to the moment its result box is shown, and
// closes the box at once.
class ResultBoxCloser : public QObject {
 public:
  QElapsedTimer clock;
  qint64 cpuAtStart = 0;
  Cost cost;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show)
      if (auto* box = qobject_cast<QMessageBox*>(watched)) {
        cost = {ProcessCpuMs() - cpuAtStart, clock.elapsed()};
        QTimer::singleShot(0, box, [box] { box->done(QMessageBox::Ok); });
      }
    return false;
  }
};

Cost RunInWindow(const QString& source, const QString& output) {
  QFile::remove(output);
  TMainForm form;
  form.txtSrcFile->setText(source);
  form.txtDstFile->setText(output);
  ResultBoxCloser closer;
  qApp->installEventFilter(&closer);
  closer.cpuAtStart = ProcessCpuMs();
  closer.clock.start();
  form.btnRepairClick();
  qApp->removeEventFilter(&closer);
  if (!form.RepairLogLines().contains(QStringLiteral("Repair process completes."))) return {};
  return closer.cost;
}

// The whole tessaly-cli process, start-up included, its output thrown away.
Cost RunCli(const QString& cli, const QString& source, const QString& output) {
  const QByteArray program = QFile::encodeName(cli);
  const QByteArray src = QFile::encodeName(source);
  const QByteArray out = QFile::encodeName(output);
  const char* argv[] = {program.constData(), "repair", src.constData(), "-o", out.constData(),
                        "--overwrite", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  QElapsedTimer clock;
  clock.start();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr,
                                  const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return {};
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return {};
  return {CpuMs(usage), clock.elapsed()};
}

int32_t IgnoreEvents(int32_t, void*, void*) { return 0; }

Cost RunBareEngine(const QString& source, const QString& output) {
  const QByteArray src = QFile::encodeName(source);
  const QByteArray out = QFile::encodeName(output);
  RepairOptionState defaults;
  defaults.recoverDeleted = defaults.repairDate = defaults.splitTable = true;
  defaults.readSrcMemoFile = defaults.ignoreAllZeroSrcMemoFile = true;
  const qint64 cpuAtStart = ProcessCpuMs();
  QElapsedTimer clock;
  clock.start();
  if (CallRepairEngine(src.constData(), 0, PackRepairOptions(defaults), out.constData(),
                       IgnoreEvents, nullptr) != 1)
    return {};
  return {ProcessCpuMs() - cpuAtStart, clock.elapsed()};
}

Cost Median(const std::vector<Cost>& costs) {
  std::vector<qint64> cpu, wall;
  for (const Cost& cost : costs) {
    cpu.push_back(cost.cpuMs);
    wall.push_back(cost.wallMs);
  }
  std::sort(cpu.begin(), cpu.end());
  std::sort(wall.begin(), wall.end());
  return {cpu[cpu.size() / 2], wall[wall.size() / 2]};
}

void Print(const char* what, const Cost& cost) {
  std::printf("  %-12s %6lld ms processor, %6lld ms wall\n", what, cost.cpuMs, cost.wallMs);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());  // first-start options, as the CLI's
  QApplication application(argc, argv);
  const QStringList args = application.arguments();
  const qint64 records = args.size() > 1 ? args[1].toLongLong() : kDefaultRecords;
  const int rounds = args.size() > 2 ? args[2].toInt() : kDefaultRounds;
  QTemporaryDir scratch;
  const QString folder = args.size() > 3 ? args[3] : scratch.path();
  const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/tessaly-cli");
  const QString source = folder + QStringLiteral("/big.dbf");
  if (records <= 0 || rounds <= 0 || !WriteTable(source, records)) {
    std::fprintf(stderr, "cannot write %lld records into %s\n", records, qPrintable(source));
    return 2;
  }
  std::printf("table: %lld records, %lld bytes\n", records, QFileInfo(source).size());
  RunBareEngine(source, folder + QStringLiteral("/warm.dbf"));  // page cache

  std::vector<Cost> window, command, bare;
  for (int round = 0; round < rounds; ++round) {
    command.push_back(RunCli(cli, source, folder + QStringLiteral("/cli.dbf")));
    window.push_back(RunInWindow(source, folder + QStringLiteral("/window.dbf")));
    bare.push_back(RunBareEngine(source, folder + QStringLiteral("/bare.dbf")));
    std::printf("round %d:\n", round + 1);
    Print("window", window.back());
    Print("tessaly-cli", command.back());
    Print("bare engine", bare.back());
    if (window.back().cpuMs < 0 || command.back().cpuMs < 0 || bare.back().cpuMs < 0) {
      std::fprintf(stderr, "a run failed\n");
      return 2;
    }
  }
  std::printf("median of %d rounds:\n", rounds);
  Print("window", Median(window));
  Print("tessaly-cli", Median(command));
  Print("bare engine", Median(bare));
  const double overhead = double(Median(window).cpuMs) / double(Median(command).cpuMs) - 1.0;
  std::printf("window against tessaly-cli (processor time): %+.1f%% (allowed %+.0f%%)\n",
              overhead * 100, kAllowedOverhead * 100);
  return overhead <= kAllowedOverhead ? 0 : 1;
}
