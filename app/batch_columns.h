// The columns of a batch list entry.
#ifndef TESSALY_BATCH_COLUMNS_H
#define TESSALY_BATCH_COLUMNS_H

#include <QtCore/qnamespace.h>

enum BatchColumn : int {
  kBatchSourceColumn = 0,  // the full source path; it identifies the entry
  kBatchTargetColumn = 1,
  kBatchStatusColumn = 2,
};

// Where an entry keeps its log lines of the last batch run (a string list).
constexpr int kBatchLogRole = Qt::UserRole;

#endif
