#include "log_file.h"

#include <QSaveFile>

bool WriteLogLines(const QString& path, const QStringList& lines) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  for (const QString& line : lines) {
    file.write(line.toLocal8Bit());
    file.write("\r\n", 2);
  }
  return file.commit();
}
