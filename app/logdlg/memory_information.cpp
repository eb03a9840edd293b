#include "logdlg/memory_information.h"

#include <QFile>
#include <QHash>

#include "logdlg/logdlg_strings.h"

namespace {

const char kMemInfoPath[] = "/proc/meminfo";
constexpr qint64 kBytesPerKilobyte = 1024;

// Each line reads "Name:   value kB"; the values become byte counts.
QHash<QByteArray, qint64> ParseMemInfo(const QByteArray& memInfo) {
  QHash<QByteArray, qint64> values;
  for (const QByteArray& line : memInfo.split('\n')) {
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) continue;
    const QList<QByteArray> words = line.mid(colon + 1).simplified().split(' ');
    const qint64 scale = words.value(1) == "kB" ? kBytesPerKilobyte : 1;
    values.insert(line.left(colon), words.value(0).toLongLong() * scale);
  }
  return values;
}

qint64 UnsignedDifference(qint64 total, qint64 part) { return total > part ? total - part : 0; }

}  // namespace

void AddMemoryInformation(QStringList& list, const QByteArray& memInfo) {
  const QHash<QByteArray, qint64> values = ParseMemInfo(memInfo);
  const qint64 totalPhysical = values.value("MemTotal");
  const qint64 freePhysical = values.value("MemAvailable", values.value("MemFree"));
  const qint64 commitLimit = values.value("CommitLimit");
  const qint64 memoryLoad =
      totalPhysical > 0 ? UnsignedDifference(totalPhysical, freePhysical) * 100 / totalPhysical : 0;

  list.append(LogDlgText(kTextMemoryStatus));
  list.append(FormatLogDlgText(kTextMemoryInUse, {memoryLoad}));
  list.append(FormatLogDlgText(kTextTotalPhysicalMemory, {totalPhysical}));
  list.append(FormatLogDlgText(kTextFreePhysicalMemory, {freePhysical}));
  list.append(FormatLogDlgText(kTextTotalPageFileMemory, {values.value("SwapTotal")}));
  list.append(FormatLogDlgText(kTextFreePageFileMemory, {values.value("SwapFree")}));
  list.append(FormatLogDlgText(kTextTotalVirtualMemory, {commitLimit}));
  list.append(FormatLogDlgText(kTextFreeVirtualMemory,
                               {UnsignedDifference(commitLimit, values.value("Committed_AS"))}));
}

void AddMemoryInformation(QStringList& list) {
  QFile file(QString::fromLatin1(kMemInfoPath));
  AddMemoryInformation(list, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}
