#include "output_tables.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "path_functions.h"

namespace {

constexpr qint64 kRecordCountOffset = 4;

}  // namespace

OutputTables::OutputTables(const QString& outputPath) : FOutputPath(outputPath) {
  FBefore.append(StateOf(FOutputPath));
  for (int part = 1;; ++part) {
    const FileState state = StateOf(PartPath(part));
    if (!state.exists) break;
    FBefore.append(state);
  }
}

QList<WrittenTable> OutputTables::WrittenSince() const {
  QList<WrittenTable> written;
  for (int part = 0;; ++part) {
    const QString path = PartPath(part);
    const FileState now = StateOf(path);
    const FileState before = part < FBefore.size() ? FBefore[part] : FileState();
    if (!now.exists || now == before) break;
    written.append({path, TableRecordCount(path)});
  }
  return written;
}

OutputTables::FileState OutputTables::StateOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() || info.isDir()) return {};
  return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

QString OutputTables::PartPath(int part) const {
  return part == 0 ? FOutputPath : MakeSplitFileName(FOutputPath, part);
}

quint32 TableRecordCount(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || !file.seek(kRecordCountOffset)) return 0;
  const QByteArray count = file.read(sizeof(quint32));
  return count.size() == sizeof(quint32) ? qFromLittleEndian<quint32>(count.constData()) : 0;
}
