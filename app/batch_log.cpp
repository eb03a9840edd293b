// The log lines each batch entry keeps from the last batch run: selecting
// entries shows theirs, and a saved log after a batch holds them all.
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "batch_columns.h"
#include "main_form.h"

void TMainForm::ClearBatchLogs() {
  for (int row = 0; row < FileList->topLevelItemCount(); ++row)
    FileList->topLevelItem(row)->setData(kBatchSourceColumn, kBatchLogRole, QVariant());
}

void TMainForm::StoreEntryLog(QTreeWidgetItem* item, const QStringList& lines) {
  item->setData(kBatchSourceColumn, kBatchLogRole, lines);
}

QStringList TMainForm::BatchLogLines() const {
  QStringList lines;
  for (int row = 0; row < FileList->topLevelItemCount(); ++row)
    lines += FileList->topLevelItem(row)->data(kBatchSourceColumn, kBatchLogRole).toStringList();
  return lines;
}

void TMainForm::FileListSelectionChange() {
  if (FRunActive) return;  // the log follows the running entry
  const QStringList all = BatchLogLines();
  // Before any batch the log keeps what it shows; once it shows a batch, it
  // shows what a save would write, nothing when those entries are gone.
  if (all.isEmpty() && !FLogShowsBatch) return;
  QStringList selected;
  bool anySelected = false;
  for (int row = 0; row < FileList->topLevelItemCount(); ++row) {
    const QTreeWidgetItem* item = FileList->topLevelItem(row);
    if (!item->isSelected()) continue;
    anySelected = true;
    selected += item->data(kBatchSourceColumn, kBatchLogRole).toStringList();
  }
  ShowLogLines(anySelected ? selected : all);
  FLogShowsBatch = true;
}

void TMainForm::ShowLogLines(const QStringList& lines) {
  txtRepairLog->setPlainText(lines.join(u'\n'));
}

QStringList TMainForm::LogLinesToSave() const {
  return FLogShowsBatch ? BatchLogLines() : RepairLogLines();
}
