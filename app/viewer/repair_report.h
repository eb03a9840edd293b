// What the viewer is told of the repair that wrote a table: the damaged source
// it was read from and the engine's mend report of that table.
#ifndef TESSALY_REPAIR_REPORT_H
#define TESSALY_REPAIR_REPORT_H

#include <QString>
#include <QStringList>

struct RepairReport {
  QString sourcePath;
  QStringList lines;  // the record-area line first, then the lines for people
};

// A table a repair wrote, with the report of it.
struct ReportedTable {
  QString path;
  RepairReport report;
};

#endif
