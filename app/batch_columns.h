// The columns of a batch list entry.
#ifndef TESSALY_BATCH_COLUMNS_H
#define TESSALY_BATCH_COLUMNS_H

enum BatchColumn : int {
  kBatchSourceColumn = 0,  // the full source path; it identifies the entry
  kBatchTargetColumn = 1,
  kBatchStatusColumn = 2,
};

#endif
