#include "logdlg/memory_information.h"

#include <QFile>
#include <QHash>

#include "app_strings.h"
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
  list.append(LogDlgText(kTextMemoryInUse).arg(memoryLoad));
  list.append(LogDlgText(kTextTotalPhysicalMemory).arg(GroupedNumber(totalPhysical)));
  list.append(LogDlgText(kTextFreePhysicalMemory).arg(GroupedNumber(freePhysical)));
  list.append(LogDlgText(kTextTotalPageFileMemory).arg(GroupedNumber(values.value("SwapTotal"))));
  list.append(LogDlgText(kTextFreePageFileMemory).arg(GroupedNumber(values.value("SwapFree"))));
  list.append(LogDlgText(kTextTotalVirtualMemory).arg(GroupedNumber(commitLimit)));
  list.append(
      LogDlgText(kTextFreeVirtualMemory)
          .arg(GroupedNumber(UnsignedDifference(commitLimit, values.value("Committed_AS")))));
}

void AddMemoryInformation(QStringList& list) {
  QFile file(QString::fromLatin1(kMemInfoPath));
  AddMemoryInformation(list, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}
