// The tables one repair writes: the output path and, when the table is split,
// its parts "_1", "_2" ... beside it. Taken before the run, so that afterwards
// the tables this run wrote are told apart from older files of those names.
#ifndef TESSALY_OUTPUT_TABLES_H
#define TESSALY_OUTPUT_TABLES_H

#include <QDateTime>
#include <QList>
#include <QString>

struct WrittenTable {
  QString path;
  quint32 records = 0;  // the count in its header
};

class OutputTables {
 public:
  // Notes what the output path and its existing parts look like now.
  explicit OutputTables(const QString& outputPath);

  // The tables written since, in part order: the output path first, then each
  // part up to the first one the run left alone.
  QList<WrittenTable> WrittenSince() const;

 private:
  struct FileState {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    QDateTime changed;
    bool operator==(const FileState&) const = default;
  };
  static FileState StateOf(const QString& path);
  QString PartPath(int part) const;

  QString FOutputPath;
  QList<FileState> FBefore;  // the output path, then its parts while they exist
};

// The record count of a table's header, 0 when the header cannot be read.
quint32 TableRecordCount(const QString& path);

#endif
