// One batch run: every entry listed when it starts is repaired into its
// "_fixed" file beside it, unless the user keeps an existing one. Each entry
// keeps its own log lines; the summary counts every way an entry ended.
#include <QPersistentModelIndex>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>

#include "app_strings.h"
#include "batch_columns.h"
#include "batch_confirm_overwrite.h"
#include "main_form.h"
#include "message_box.h"
#include "path_functions.h"

namespace {

struct BatchRunState {
  int entries = 0;
  int repaired = 0;
  int failed = 0;
  int aborted = 0;
  bool yesToAll = false;
  bool noToAll = false;
  bool cancel = false;

  void Count(RepairOutcome outcome) {
    switch (outcome) {
      case RepairOutcome::kRepaired:
        ++repaired;
        break;
      case RepairOutcome::kFailed:
        ++failed;
        break;
      case RepairOutcome::kStopped:
        ++aborted;
        break;
    }
  }
  int NotProcessed() const { return entries - repaired - failed - aborted; }
};

// The entries present when the run starts. They are held by persistent
// indexes: entries removed during the run become invalid instead of shifting
// the rest, and entries added later are not among them.
QList<QPersistentModelIndex> EntriesAtStart(const QTreeWidget* list) {
  QList<QPersistentModelIndex> entries;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    entries.append(QPersistentModelIndex(list->indexFromItem(list->topLevelItem(row))));
  return entries;
}

// The entry's item, or null once the entry has been removed.
QTreeWidgetItem* EntryItem(const QTreeWidget* list, const QPersistentModelIndex& entry) {
  return entry.isValid() ? list->itemFromIndex(entry) : nullptr;
}

StrId StatusOf(RepairOutcome outcome) {
  switch (outcome) {
    case RepairOutcome::kRepaired:
      return StrId::StatusSuccessful;
    case RepairOutcome::kFailed:
      return StrId::StatusFailed;
    case RepairOutcome::kStopped:
      break;
  }
  return StrId::StatusAborted;
}

QString SummaryText(const BatchRunState& state) {
  return AppString(StrId::FilesRepairedSuccessfully).arg(state.repaired) + u'\n' +
         AppString(StrId::BatchOutcomeCounts)
             .arg(QString::number(state.failed), QString::number(state.aborted),
                  QString::number(state.NotProcessed()));
}

}  // namespace

void TMainForm::btnRepairFilesClick() {
  if (ClickTakenByRun()) return;
  if (FileList->topLevelItemCount() == 0) {
    ShowInformation(this, AppString(StrId::AddFilesFirst));
    return;
  }
  if (!TemplateReadyForRun()) return;
  BeginRun();
  ClearBatchLogs();
  {
    const auto endRun = qScopeGuard([this] { EndRun(); });
    BatchRunState state;
    const QList<QPersistentModelIndex> entries = EntriesAtStart(FileList);
    state.entries = int(entries.size());
    for (const QPersistentModelIndex& entry : entries) {
      if (!FRunning || state.cancel) break;
      QTreeWidgetItem* item = EntryItem(FileList, entry);
      if (item == nullptr) continue;
      const QString source = item->text(kBatchSourceColumn);
      const QString target = MakeFixedFileName(source);
      item->setText(kBatchTargetColumn, target);

      QStringList lines;
      FEntryLog = &lines;
      const auto stopCapture = qScopeGuard([this] { FEntryLog = nullptr; });
      AppendLog(AppString(StrId::StartRepairProcess));
      AppendLog(AppString(StrId::SeparatorLine));
      std::optional<RepairOutcome> outcome;
      if (!ConfirmOverwrite(this, target, state.yesToAll, state.noToAll, state.cancel)) {
        AppendLog(AppString(StrId::RepairAborted));
      } else if (EntryItem(FileList, entry) != nullptr) {  // not removed while asked
        QStringList resultLines;
        outcome = RepairAndLog(source, target, resultLines);
        state.Count(*outcome);
      }
      // The entry may have gone while the engine ran.
      item = EntryItem(FileList, entry);
      if (item == nullptr) continue;
      StoreEntryLog(item, lines);
      if (outcome) item->setText(kBatchStatusColumn, AppString(StatusOf(*outcome)));
    }
    const bool stopped = !FRunning;
    ShowResult(this, SummaryText(state), state.failed == 0 && state.aborted == 0 && !stopped);
  }
  ShowLogLines(BatchLogLines());
  FLogShowsBatch = true;
  FileListSelectionChange();
}
